#include "ui/win/MonitorCover.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "base/win/ScopedWin.h"

namespace saver::win {
namespace {

// Stands in for the show's window: records the messages the covers hand it.
class RecordingShowWindow : public CWindow {
 public:
  struct Received {
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
  };
  bool Create(const Rect& r) {
    return CreateBound(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP | WS_VISIBLE, RECT{r.left, r.top, r.right, r.bottom},
                       nullptr);
  }
  std::vector<Received> received;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    switch (message) {
      case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_KEYDOWN: case WM_SYSKEYDOWN:
        received.push_back({message, wparam, lparam});
        return 0;
      case WM_CLOSE:
        received.push_back({message, wparam, lparam});
        return 0;  // the test looks, the window stays
    }
    return Default(message, wparam, lparam);
  }
};

Rect WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right, r.bottom};
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

class MonitorCoverTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(show_.Create(kShow)); }

  const Rect kShow = Rect::FromSize(0, 0, 640, 480);
  const Rect kRight = Rect::FromSize(640, 0, 320, 240);
  const Rect kLeftAbove = Rect::FromSize(-300, -200, 300, 200);
  RecordingShowWindow show_;
  std::atomic<COLORREF> fill_{RGB(0, 0, 0)};
  CMonitorCover cover_{fill_};
};

TEST_F(MonitorCoverTest, OneTopmostWindowStandsOnEveryOtherMonitor) {
  ASSERT_TRUE(cover_.Cover(show_.Handle(), {kShow, kRight, kLeftAbove}));
  const std::vector<HWND> windows = cover_.Handles();
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_EQ(WindowRect(windows[0]), kRight);
  EXPECT_EQ(WindowRect(windows[1]), kLeftAbove);
  for (HWND window : windows) {
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
  }
}

TEST_F(MonitorCoverTest, ADisplayChangeReplacesTheWindowsAndOneMonitorNeedsNone) {
  ASSERT_TRUE(cover_.Cover(show_.Handle(), {kShow, kRight, kLeftAbove}));
  const std::vector<HWND> before = cover_.Handles();
  ASSERT_TRUE(cover_.Cover(show_.Handle(), {kShow, kLeftAbove}));
  ASSERT_EQ(cover_.Handles().size(), 1u);
  EXPECT_EQ(WindowRect(cover_.Handles()[0]), kLeftAbove);
  for (HWND old : before) EXPECT_FALSE(IsWindow(old));
  ASSERT_TRUE(cover_.Cover(show_.Handle(), {kShow}));
  EXPECT_TRUE(cover_.Handles().empty());
  ASSERT_TRUE(cover_.Cover(show_.Handle(), {kShow, kRight}));
  const HWND last = cover_.Handles().at(0);
  cover_.Clear();
  EXPECT_FALSE(IsWindow(last));
}

TEST_F(MonitorCoverTest, CoversArePaintedInTheFillColour) {
  ASSERT_TRUE(cover_.Cover(show_.Handle(), {kShow, kRight}));
  const HWND window = cover_.Handles().at(0);
  CScopedWindowDC screen(nullptr);
  ScopedMemoryDC memory(CreateCompatibleDC(screen.Get()));
  ScopedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), 8, 8));
  CScopedSelect select(memory.Get(), bitmap.Get());
  for (COLORREF colour : {RGB(200, 10, 30), RGB(0, 128, 255), RGB(0, 0, 0)}) {
    fill_ = colour;
    cover_.Repaint();
    EXPECT_EQ(SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.Get()), 0), 1);
    EXPECT_EQ(GetPixel(memory.Get(), 3, 5), colour);
  }
}

TEST_F(MonitorCoverTest, InputOnACoverReachesTheShowWindowInItsCoordinates) {
  ASSERT_TRUE(cover_.Cover(show_.Handle(), {kShow, kRight, kLeftAbove}));
  const HWND right = cover_.Handles().at(0), left_above = cover_.Handles().at(1);
  SendMessageW(right, WM_KEYDOWN, VK_SPACE, 0x00390001);
  SendMessageW(right, WM_MOUSEMOVE, 0, MAKELPARAM(10, 20));
  SendMessageW(left_above, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 7));
  SendMessageW(left_above, WM_SYSKEYDOWN, VK_F10, 0);
  SendMessageW(left_above, WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(299, 199));
  const auto at = [](int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); };
  const std::vector<RecordingShowWindow::Received> expected = {
      {WM_KEYDOWN, VK_SPACE, 0x00390001},
      {WM_MOUSEMOVE, 0, at(650, 20)},
      {WM_LBUTTONDOWN, MK_LBUTTON, at(-295, -193)},
      {WM_SYSKEYDOWN, VK_F10, 0},
      {WM_RBUTTONDBLCLK, MK_RBUTTON, at(-1, -1)},
  };
  ASSERT_EQ(show_.received.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(show_.received[i].message, expected[i].message) << i;
    EXPECT_EQ(show_.received[i].wparam, expected[i].wparam) << i;
    EXPECT_EQ(show_.received[i].lparam, expected[i].lparam) << i;
  }
}

TEST_F(MonitorCoverTest, ClosingACoverAsksTheShowToClose) {
  ASSERT_TRUE(cover_.Cover(show_.Handle(), {kShow, kRight}));
  const HWND window = cover_.Handles().at(0);
  // Pumping also delivers the mouse moves the system makes up for new windows: count the closes.
  const auto closes = [this] {
    return std::count_if(show_.received.begin(), show_.received.end(),
                         [](const RecordingShowWindow::Received& r) { return r.message == WM_CLOSE; });
  };
  SendMessageW(window, WM_CLOSE, 0, 0);
  for (int i = 0; i < 5000 && closes() == 0; ++i) {
    PumpMessages();
    Sleep(1);
  }
  PumpMessages();
  EXPECT_EQ(closes(), 1);
  EXPECT_TRUE(IsWindow(window));  // the show's window decides, and destroys every cover with itself
}

TEST(DisplayMonitorRectsTest, TheVirtualScreenHoldsEveryMonitor) {
  const std::vector<Rect> monitors = DisplayMonitorRects();
  ASSERT_FALSE(monitors.empty());
  const Rect virtual_screen = Rect::FromSize(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                                             GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
  for (const Rect& monitor : monitors) {
    EXPECT_FALSE(monitor.IsEmpty());
    EXPECT_EQ(monitor.Intersect(virtual_screen), monitor);
  }
}

}  // namespace
}  // namespace saver::win
