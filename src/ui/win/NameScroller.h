#pragma once
// The thread of the preview that scrolls the saver's name upwards, one character per line, in a
// column to the right of the preview picture.
#include <windows.h>

#include <string>

#include "base/win/ScopedWin.h"

namespace saver::win {

class CNameScroller {
 public:
  static constexpr COLORREF kTextColour = 0x00FFFFDC;
  static constexpr DWORD kStepMs = 20;

  // Draws the column at once; `left_width` is the width of the preview picture beside it.
  CNameScroller(HWND window, int left_width, const std::wstring& name);
  CNameScroller(const CNameScroller&) = delete;
  CNameScroller& operator=(const CNameScroller&) = delete;
  // Stops the thread and waits for it.
  ~CNameScroller();

  bool Start();

 private:
  static unsigned __stdcall ThreadMain(void* self);
  void Run();

  HWND window_;
  ScopedFont font_;
  ScopedBitmap column_;
  int column_width_ = 0;
  int column_height_ = 0;
  int x_ = 0;
  ScopedHandle stop_;
  ScopedHandle exited_;
  ScopedHandle thread_;
};

}  // namespace saver::win
