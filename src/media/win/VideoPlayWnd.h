#pragma once
// A window made for one blocking video playback: the scene thread creates it, plays the video in it
// and is held until the video has played or the show's stop event is set. Only that thread touches
// the window and its device, so ending the show never races with the window's end. Failures are
// silent.
#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "base/win/Window.h"

namespace saver::win {

class CVideoPlayWnd : public CWindow {
 public:
  static constexpr UINT_PTR kControlId = 32780;

  explicit CVideoPlayWnd(bool mute) : mute_(mute) {}
  // Deletes the file once more, in case the playback was never finished.
  ~CVideoPlayWnd() override;

  // Plays `file_name` at (x, y) in `parent` and returns when the playing ends (a looping one never
  // does) or `stop` is set, answering the window's messages meanwhile.
  bool PlayBlocking(bool loop, int x, int y, HWND parent, const std::wstring& file_name, HANDLE stop);
  // Stops and closes the device and deletes the file.
  void Finish();
  std::wstring& FileName() { return file_name_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Open();
  void WaitForEndOrStop(HANDLE stop);

  bool mute_;
  std::wstring file_name_;
  MCIDEVICEID device_ = 0;
  bool ended_ = false;  // the device reported the end of its play
  SIZE video_{};
};

}  // namespace saver::win
