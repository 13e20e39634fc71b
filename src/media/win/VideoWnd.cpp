#include "media/win/VideoWnd.h"

#include <digitalv.h>

#include <cstdio>

#include "base/UserMessages.h"
#include "media/MediaMessages.h"
#include "media/win/MciVideo.h"
#include "res/resource.h"

namespace saver::win {

bool CVideoWnd::Create(HWND parent) { return CreateBound(0, WS_CHILD, RECT{}, parent, kControlId); }

void CVideoWnd::Report(MCIERROR error) {
  char text[48];
  std::snprintf(text, sizeof text, kVideoErrorFormat, static_cast<int>(error));
  messages_.ShowError(text);
}

void CVideoWnd::OpenDevice(const wchar_t* file_name) {
  file_name_ = file_name ? file_name : L"";
  MCIDEVICEID device = 0;
  if (const MCIERROR error = OpenVideo(file_name_.c_str(), Handle(), MCI_WAIT, device)) {
    Report(error);
    return;
  }
  device_ = device;
}

void CVideoWnd::PlayDevice(bool once) {
  if (device_ == kNoDevice) return;
  video_ = VideoSize(device_);
  SetWindowPos(Handle(), nullptr, 0, 0, video_.cx, video_.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  MoveWindow(Handle(), position_.x, position_.y, video_.cx, video_.cy, TRUE);
  ShowWindow(Handle(), SW_SHOW);
  MCI_DGV_PLAY_PARMS play{};
  play.dwCallback = reinterpret_cast<DWORD_PTR>(Handle());
  const DWORD flags = once ? MCI_NOTIFY : MCI_DGV_PLAY_REPEAT | MCI_NOTIFY;
  if (const MCIERROR error = mciSendCommandW(device_, MCI_PLAY, flags, reinterpret_cast<DWORD_PTR>(&play)))
    Report(error);
}

void CVideoWnd::StopDevice() {
  if (device_ == kNoDevice) return;
  if (const MCIERROR error = StopVideo(device_)) Report(error);
}

void CVideoWnd::CloseDevice() {
  if (device_ == kNoDevice) return;
  if (const MCIERROR error = mciSendCommandW(device_, MCI_CLOSE, MCI_WAIT, 0)) {
    Report(error);
    return;
  }
  device_ = kNoDevice;
  ShowWindow(Handle(), SW_HIDE);
}

LRESULT CVideoWnd::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case kOpen: OpenDevice(reinterpret_cast<const wchar_t*>(lparam)); return 0;
        case kPlay: PlayDevice(lparam != 0); return 0;
        case kStop: StopDevice(); return 0;
        case kClose: CloseDevice(); return 0;
        case kFocusParent: SetFocus(GetParent(Handle())); return 0;
        case kSetPosition: {
          const auto* xy = reinterpret_cast<const std::int32_t*>(lparam);
          if (xy) position_ = {xy[0], xy[1]};
          return 0;
        }
      }
      break;
    case WM_SETCURSOR:
      // The pointer stays invisible over the video and the device's own window inside it.
      if (device_ != kNoDevice) {
        SetCursor(LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_SHOW_CURSOR)));
        return TRUE;
      }
      break;
    case MM_MCINOTIFY:
      if (notify_) notify_(wparam, lparam);
      return 0;
    case WM_DESTROY:
      StopDevice();
      CloseDevice();
      break;
  }
  return Default(message, wparam, lparam);
}

}  // namespace saver::win
