#pragma once
// The live preview in the small monitor of the Display Properties dialog: the preview picture on
// the left, the saver's name scrolling upwards beside it.
#include <windows.h>

#include <memory>
#include <string>

#include "base/win/ScopedWin.h"
#include "base/win/Window.h"
#include "ui/win/NameScroller.h"

namespace saver::win {

class CPreviewWnd : public CWindow {
 public:
  // Width and height of the area copied from the preview picture.
  static constexpr int kBlitWidth = 97;
  static constexpr int kBlitHeight = 112;
  // The scroller draws from its own thread; under Wine that reaches the screen only while this
  // window's thread handles messages, so a timer keeps it doing so.
  static constexpr UINT_PTR kFlushTimerId = 1;
  static constexpr UINT kFlushTimerMs = 40;

  explicit CPreviewWnd(std::wstring application_name);
  // Destroys a window still up while this object can still answer its last messages.
  ~CPreviewWnd() override;
  // A child covering the whole client area of `parent`; false when it cannot be created.
  bool Create(HWND parent);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint();

  std::wstring application_name_;
  ScopedBitmap picture_;
  std::unique_ptr<CNameScroller> scroller_;
};

}  // namespace saver::win
