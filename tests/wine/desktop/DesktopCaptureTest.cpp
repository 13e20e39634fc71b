#include "desktop/win/DesktopCapture.h"

#include <gtest/gtest.h>

#include <vector>

#include "DesktopFixtures.h"
#include "base/win/ScopedWin.h"
#include "imaging/DecodePicture.h"
#include "support/CollectedMessages.h"

namespace saver::win {
namespace {

using saver::testing_support::CollectedMessages;
using testing_support::TemporaryPath;

constexpr COLORREF kMarkColour = RGB(12, 200, 99);

// A topmost window painted in one colour, so that the capture has something known to find.
class ColourWindow {
 public:
  explicit ColourWindow(RECT area) : brush_(CreateSolidBrush(kMarkColour)) {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hbrBackground = brush_.Get();
    window_class.lpszClassName = L"GuardCaptureMark";
    RegisterClassW(&window_class);
    window_ = CreateWindowExW(WS_EX_TOPMOST, L"GuardCaptureMark", L"", WS_POPUP | WS_VISIBLE, area.left, area.top,
                              area.right - area.left, area.bottom - area.top, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(window_);
  }
  ~ColourWindow() {
    DestroyWindow(window_);
    UnregisterClassW(L"GuardCaptureMark", GetModuleHandleW(nullptr));
  }
  ColourWindow(const ColourWindow&) = delete;
  ColourWindow& operator=(const ColourWindow&) = delete;

  // Pumps this thread's messages until the screen shows the colour at `point` (10 s at most).
  bool WaitUntilShown(POINT point) const {
    for (int waited = 0; waited < 10000; waited += 20) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      CScopedWindowDC screen(nullptr);
      if (GetPixel(screen.Get(), point.x, point.y) == kMarkColour) return true;
      Sleep(20);
    }
    return false;
  }

 private:
  ScopedBrush brush_;
  HWND window_ = nullptr;
};

TEST(DesktopCapture, WritesTheWholeScreenAsA24BitBmp) {
  RECT desktop{};
  ASSERT_TRUE(GetWindowRect(GetDesktopWindow(), &desktop));
  const RECT mark{40, 30, 140, 90};
  ColourWindow window(mark);
  ASSERT_TRUE(window.WaitUntilShown({90, 60}));

  TemporaryPath output(L"guard-desktop-capture.bmp");
  ASSERT_TRUE(CaptureDesktop(output.Wide()));

  const std::vector<std::uint8_t> bytes = output.Content();
  ASSERT_GT(bytes.size(), 54u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(bytes[28] | (bytes[29] << 8), 24);  // bits per pixel

  CollectedMessages messages;
  Size size;
  const auto pixels = DecodePicture(bytes, size, messages);
  ASSERT_TRUE(pixels);
  EXPECT_EQ(size, (Size{desktop.right - desktop.left, desktop.bottom - desktop.top}));
  for (const POINT p : {POINT{40, 30}, POINT{90, 60}, POINT{139, 89}}) EXPECT_EQ(pixels->PixelAt(p.x, p.y), kMarkColour);
  EXPECT_NE(pixels->PixelAt(39, 60), kMarkColour);
  EXPECT_NE(pixels->PixelAt(140, 60), kMarkColour);
  EXPECT_TRUE(messages.shown.empty());
}

TEST(DesktopCapture, AnUnwritablePathGivesFalseAndNoFile) {
  const std::wstring output = L"C:\\guard-no-such-folder\\desktop.bmp";
  const long gdi_before = LiveCounts::gdi_objects, dcs_before = LiveCounts::dcs;
  EXPECT_FALSE(CaptureDesktop(output));
  EXPECT_EQ(GetFileAttributesW(output.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(LiveCounts::gdi_objects, gdi_before);
  EXPECT_EQ(LiveCounts::dcs, dcs_before);
}

}  // namespace
}  // namespace saver::win
