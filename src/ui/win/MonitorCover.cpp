#include "ui/win/MonitorCover.h"

#include <windowsx.h>

#include "base/win/ScopedWin.h"
#include "ui/MonitorLayout.h"

namespace saver::win {
namespace {

Rect RectFrom(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

Rect WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return RectFrom(r);
}

BOOL CALLBACK CollectMonitor(HMONITOR, HDC, LPRECT bounds, LPARAM rects) {
  reinterpret_cast<std::vector<Rect>*>(rects)->push_back(RectFrom(*bounds));
  return TRUE;
}

bool IsForwardedInput(UINT message) {
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: case WM_MBUTTONDOWN: case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK: case WM_MBUTTONDBLCLK: case WM_RBUTTONDBLCLK:
    case WM_KEYDOWN: case WM_SYSKEYDOWN:
      return true;
    default:
      return false;
  }
}

bool CarriesMousePosition(UINT message) { return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST; }

}  // namespace

std::vector<Rect> DisplayMonitorRects() {
  std::vector<Rect> rects;
  EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&rects));
  return rects;
}

bool CMonitorCoverWnd::Create(const Rect& monitor) {
  const RECT bounds{monitor.left, monitor.top, monitor.right, monitor.bottom};
  if (!CreateBound(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, WS_POPUP | WS_VISIBLE, bounds, nullptr))
    return false;
  // Just below the show's window, where a cover overlapping the primary monitor hides nothing.
  SetWindowPos(Handle(), show_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return true;
}

LPARAM CMonitorCoverWnd::ToShowClient(LPARAM lparam) const {
  const Point p = saver::ToShowClient({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}, WindowRect(Handle()),
                                      WindowRect(show_));
  return MAKELPARAM(static_cast<WORD>(static_cast<short>(p.x)), static_cast<WORD>(static_cast<short>(p.y)));
}

LRESULT CMonitorCoverWnd::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (IsForwardedInput(message)) {
    SendMessageW(show_, message, wparam, CarriesMousePosition(message) ? ToShowClient(lparam) : lparam);
    return 0;
  }
  switch (message) {
    case WM_ERASEBKGND: {
      RECT clip{};
      GetClipBox(reinterpret_cast<HDC>(wparam), &clip);
      ScopedBrush brush(CreateSolidBrush(fill_colour_));
      FillRect(reinterpret_cast<HDC>(wparam), &clip, brush.Get());
      return 1;
    }
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // the keyboard focus stays with the show's window
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == SC_SCREENSAVE || (wparam & 0xFFF0) == SC_CLOSE) return 0;
      break;
    case WM_CLOSE:
      PostMessageW(show_, WM_CLOSE, 0, 0);
      return 0;
  }
  return Default(message, wparam, lparam);
}

bool CMonitorCover::Cover(HWND show, const std::vector<Rect>& monitors) {
  std::lock_guard guard(lock_);
  windows_.clear();
  bool all_created = true;
  for (const Rect& monitor : CoverRects(monitors, WindowRect(show))) {
    auto window = std::make_unique<CMonitorCoverWnd>(show, fill_colour_);
    if (window->Create(monitor))
      windows_.push_back(std::move(window));
    else
      all_created = false;
  }
  return all_created;
}

void CMonitorCover::Clear() {
  std::lock_guard guard(lock_);
  windows_.clear();
}

std::vector<HWND> CMonitorCover::Handles() const {
  std::lock_guard guard(lock_);
  std::vector<HWND> handles;
  for (const auto& window : windows_) handles.push_back(window->Handle());
  return handles;
}

void CMonitorCover::Repaint() const {
  std::lock_guard guard(lock_);
  for (const auto& window : windows_) RedrawWindow(window->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

}  // namespace saver::win
