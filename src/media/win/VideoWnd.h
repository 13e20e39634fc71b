#pragma once
// The video window of a show: a hidden child of the saver window that plays one video at a time
// without blocking the scene thread. It lives on the user-interface thread; the scene thread drives
// it with WM_COMMAND messages sent to it, so every device command runs here while the sender waits.
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <functional>
#include <string>

#include "base/win/Window.h"

namespace saver {
class CUserMessages;
}

namespace saver::win {

class CVideoWnd : public CWindow {
 public:
  // Commands, in wParam; the argument is in lParam.
  enum Command : WPARAM {
    kOpen = 100,         // lParam: the file name (const wchar_t*)
    kPlay = 110,         // lParam 0: repeat endlessly; non-zero: play once
    kStop = 120,
    kClose = 130,        // closes the device and hides the window
    kSetPosition = 140,  // lParam: two 32-bit integers, x then y, in the parent's client area
    kFocusParent = 150,  // gives the parent the keyboard focus, which only its own thread can do
  };
  static constexpr UINT_PTR kControlId = 75000;
  static constexpr MCIDEVICEID kNoDevice = static_cast<MCIDEVICEID>(-1);

  // Failed device commands are reported through `messages` as "Greska, code:%d".
  explicit CVideoWnd(CUserMessages& messages) : messages_(messages) {}
  bool Create(HWND parent);

  // Where the window hands the device notifications (MM_MCINOTIFY) it receives: its own video's
  // and those of other devices that report here, such as the show's sequencer.
  void OnDeviceNotify(std::function<void(WPARAM code, LPARAM device)> handler) { notify_ = std::move(handler); }

  MCIDEVICEID Device() const { return device_; }
  // The file last opened, which the owner deletes once the window no longer plays it.
  std::wstring& FileName() { return file_name_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void OpenDevice(const wchar_t* file_name);
  void PlayDevice(bool once);
  void StopDevice();
  void CloseDevice();
  void Report(MCIERROR error);

  CUserMessages& messages_;
  std::wstring file_name_;
  MCIDEVICEID device_ = kNoDevice;
  SIZE video_{};
  POINT position_{};
  std::function<void(WPARAM, LPARAM)> notify_;
};

}  // namespace saver::win
