#pragma once
// The windows that cover every monitor besides the one the show plays on, so that no part of the
// desktop stays visible. Each is a borderless topmost window of the saver class, just below the
// show's window, painted in the show's fill colour; its input goes to the show's window, whose exit
// rules decide, and a close request on it is a close request of the show.
#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "base/win/Window.h"
#include "imaging/Rect.h"

namespace saver::win {

// The monitors of the virtual screen, in virtual-screen coordinates.
std::vector<Rect> DisplayMonitorRects();

class CMonitorCoverWnd : public CWindow {
 public:
  CMonitorCoverWnd(HWND show, const std::atomic<COLORREF>& fill_colour) : show_(show), fill_colour_(fill_colour) {}
  bool Create(const Rect& monitor);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  // Mouse positions travel in the show window's client coordinates.
  LPARAM ToShowClient(LPARAM lparam) const;

  HWND show_;
  const std::atomic<COLORREF>& fill_colour_;
};

class CMonitorCover {
 public:
  explicit CMonitorCover(const std::atomic<COLORREF>& fill_colour) : fill_colour_(fill_colour) {}

  // Covers every monitor of `monitors` that the window `show` does not cover whole, replacing the
  // windows of an earlier call. False when a window could not be created (the others stay).
  bool Cover(HWND show, const std::vector<Rect>& monitors);
  // Paints every cover again in the fill colour; callable from any thread.
  void Repaint() const;
  void Clear();
  std::vector<HWND> Handles() const;

 private:
  const std::atomic<COLORREF>& fill_colour_;
  mutable std::mutex lock_;  // the windows change on the window's thread, Repaint comes from the show's
  std::vector<std::unique_ptr<CMonitorCoverWnd>> windows_;
};

}  // namespace saver::win
