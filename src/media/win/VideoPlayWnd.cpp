#include "media/win/VideoPlayWnd.h"

#include <digitalv.h>

#include "media/win/MciVideo.h"
#include "media/win/MediaTempFile.h"

namespace saver::win {

CVideoPlayWnd::~CVideoPlayWnd() { DeleteMediaFile(file_name_); }

void CVideoPlayWnd::Open() {
  // The device takes names of up to 255 characters.
  if (file_name_.size() > 255) return;
  MCIDEVICEID device = 0;
  if (OpenVideo(file_name_.c_str(), Handle(), 0, device) != 0) return;
  device_ = device;
  video_ = VideoSize(device_);
  SetWindowPos(Handle(), nullptr, 0, 0, video_.cx, video_.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CVideoPlayWnd::PlayBlocking(bool loop, int x, int y, HWND parent, const std::wstring& file_name,
                                 HANDLE stop) {
  file_name_ = file_name;
  if (!CreateBound(0, WS_CHILD, RECT{x, y, x, y}, parent, kControlId)) return false;
  Open();
  MoveWindow(Handle(), x, y, video_.cx, video_.cy, TRUE);
  ShowCursor(FALSE);
  ShowWindow(Handle(), SW_SHOW);
  if (mute_) {
    MCI_SET_PARMS set{};
    set.dwAudio = MCI_SET_AUDIO_ALL;
    mciSendCommandW(device_, MCI_SET, MCI_SET_AUDIO | MCI_SET_OFF, reinterpret_cast<DWORD_PTR>(&set));
  }
  MCI_DGV_PLAY_PARMS play{};
  play.dwCallback = reinterpret_cast<DWORD_PTR>(Handle());
  // Played without MCI_WAIT, which only the device's own end could cut short: this thread waits
  // for the device's notification or the stop event instead.
  const DWORD flags = loop ? MCI_DGV_PLAY_REPEAT | MCI_NOTIFY : MCI_NOTIFY;
  if (device_ != 0 && mciSendCommandW(device_, MCI_PLAY, flags, reinterpret_cast<DWORD_PTR>(&play)) == 0)
    WaitForEndOrStop(stop);
  return true;
}

void CVideoPlayWnd::WaitForEndOrStop(HANDLE stop) {
  while (!ended_) {
    // The window's messages (painting, the device's notification) are this thread's to answer.
    if (MsgWaitForMultipleObjects(1, &stop, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0 + 1) return;
    MSG message;
    while (!ended_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

LRESULT CVideoPlayWnd::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == MM_MCINOTIFY && static_cast<MCIDEVICEID>(lparam) == device_) {
    ended_ = true;
    return 0;
  }
  return CWindow::OnMessage(message, wparam, lparam);
}

void CVideoPlayWnd::Finish() {
  if (device_ != 0) {
    mciSendCommandW(device_, MCI_STOP, MCI_WAIT, 0);
    mciSendCommandW(device_, MCI_CLOSE, MCI_WAIT, 0);
    device_ = 0;
  }
  DeleteMediaFile(file_name_);
}

}  // namespace saver::win
