#pragma once
// The "Exit" button of test runs: a small child of the saver window holding one push button, which
// asks the saver window to close.
#include "base/win/Window.h"

namespace saver::win {

class CExitButtonHost : public CWindow {
 public:
  static constexpr int kHostId = 65452;
  static constexpr int kButtonId = 17818;
  static constexpr int kWidth = 80;
  static constexpr int kHeight = 20;

  // Created hidden at the top right corner of the screen; the scene thread shows it.
  bool Create(HWND saver_window);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
};

}  // namespace saver::win
