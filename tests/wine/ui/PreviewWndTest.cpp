#include "ui/win/PreviewWnd.h"

#include <gtest/gtest.h>

#include <memory>

#include "res/resource.h"

namespace saver::win {
namespace {

constexpr COLORREF kNameColour = CNameScroller::kTextColour;

// Handles this thread's messages for `milliseconds`, dropping the quit message a destroyed preview posts.
void Pump(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
      if (message.message != WM_QUIT) DispatchMessageW(&message);
    Sleep(5);
  }
}

// A top-level window with a client area of 152 x 112, standing in for the Display Properties monitor.
HWND MakeParent() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"PreviewTestParent";
    registered = RegisterClassW(&window_class) != 0;
  }
  return CreateWindowExW(0, L"PreviewTestParent", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 152, 112,
                         nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

int CountColour(HWND window, const RECT& area, COLORREF colour) {
  HDC dc = GetDC(window);
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) count += GetPixel(dc, x, y) == colour;
  ReleaseDC(window, dc);
  return count;
}

TEST(PreviewWndTest, ShowsThePictureAndScrollsTheNameBesideIt) {
  HWND parent = MakeParent();
  ASSERT_NE(parent, nullptr);
  auto preview = std::make_unique<CPreviewWnd>(L"Scroller Name");
  ASSERT_TRUE(preview->Create(parent));
  RECT client{};
  GetClientRect(preview->Handle(), &client);
  EXPECT_EQ(client.right, 152);
  EXPECT_EQ(client.bottom, 112);
  Pump(500);

  // The picture's own pixels at the top left.
  HBITMAP picture = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_PREVIEW));
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(memory, picture);
  HDC screen = GetDC(preview->Handle());
  for (POINT p : {POINT{5, 5}, POINT{70, 24}, POINT{48, 100}, POINT{95, 60}})
    EXPECT_EQ(GetPixel(screen, p.x, p.y), GetPixel(memory, p.x, p.y)) << p.x << "," << p.y;
  ReleaseDC(preview->Handle(), screen);
  SelectObject(memory, previous);
  DeleteDC(memory);
  DeleteObject(picture);

  // The name in its colour right of the picture, and never over it; it moves.
  const RECT column{CPreviewWnd::kBlitWidth, 0, 152, 112};
  int seen = 0;
  for (int i = 0; i < 100 && seen == 0; ++i) {
    Pump(50);
    seen = CountColour(preview->Handle(), column, kNameColour);
  }
  EXPECT_GT(seen, 0);
  EXPECT_EQ(CountColour(preview->Handle(), RECT{0, 0, CPreviewWnd::kBlitWidth - 1, 112}, kNameColour), 0);
  HDC dc = GetDC(preview->Handle());
  auto column_pixels = [&] {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 112; y += 2)
      for (int x = column.left; x < column.right; x += 2) pixels.push_back(GetPixel(dc, x, y));
    return pixels;
  };
  const std::vector<COLORREF> before = column_pixels();
  bool moved = false;
  for (int i = 0; i < 100 && !moved; ++i) {
    Pump(50);
    moved = column_pixels() != before;
  }
  ReleaseDC(preview->Handle(), dc);
  EXPECT_TRUE(moved);

  // Destroying the parent destroys the preview, whose scroller stops with it.
  DestroyWindow(parent);
  Pump(100);
  EXPECT_EQ(preview->Handle(), nullptr);
}

}  // namespace
}  // namespace saver::win
