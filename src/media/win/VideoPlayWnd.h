#pragma once
// A window made for one blocking video playback: the scene thread creates it, plays the video in it
// and is held until the video has played (or, looping, until its device is stopped from another
// thread). Failures are silent.
#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <string>

#include "base/win/Window.h"

namespace saver::win {

class CVideoPlayWnd : public Window {
 public:
  static constexpr UINT_PTR kControlId = 32780;

  explicit CVideoPlayWnd(bool mute) : mute_(mute) {}
  // Deletes the file once more, in case the playback was never finished.
  ~CVideoPlayWnd() override;

  // Plays `file_name` at (x, y) in `parent` and returns when the playing ends.
  bool PlayBlocking(bool loop, int x, int y, HWND parent, const std::wstring& file_name);
  // Stops and closes the device and deletes the file.
  void Finish();
  // Ends a playing device from any thread, so that PlayBlocking returns.
  void Interrupt() const;
  std::wstring& FileName() { return file_name_; }

 private:
  void Open();

  bool mute_;
  std::wstring file_name_;
  std::atomic<MCIDEVICEID> device_{0};  // read by Interrupt on another thread
  SIZE video_{};
};

}  // namespace saver::win
