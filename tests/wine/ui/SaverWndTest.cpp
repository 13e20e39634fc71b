#include "ui/win/SaverWnd.h"

#include <gtest/gtest.h>

#include <windowsx.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "support/win/TestRegistry.h"
#include "ui/SettingsTable.h"

namespace saver::win {
namespace {

using testing_support::TestRegistry;

// Answers the window's messages until it is gone, or until nothing but its flush timer has come for
// half a second; takes the quit message that its destruction posts. True when it was destroyed.
bool PumpUntilClosed(HWND window) {
  DWORD last_activity = GetTickCount();
  const DWORD start = last_activity;
  while (IsWindow(window) && GetTickCount() - last_activity < 500 && GetTickCount() - start < 20000) {
    MSG message;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      Sleep(5);
      continue;
    }
    if (message.message == WM_QUIT) continue;
    if (message.message != WM_TIMER) last_activity = GetTickCount();
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  MSG quit;
  while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  return !IsWindow(window);
}

class SaverWndTest : public ::testing::Test {
 protected:
  SaverWndTest() : registry_(L"Saver Tests\\Window"), profile_(registry_.CompanyKey(), L"window.scr") {}
  // Drops the exit settings but keeps the calibration, so that only the first window counts.
  void ClearSettings() { RegDeleteTreeW(HKEY_CURRENT_USER, (registry_.Path() + L"\\window.scr").c_str()); }
  // Where the cursor is, in the window's coordinates: the first move a window sees sets its
  // reference, and the system's own moves report this place.
  static LPARAM CursorPosition(HWND window) {
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(window, &cursor);
    return MAKELPARAM(cursor.x, cursor.y);
  }
  std::unique_ptr<CSaverWnd> MakeWindow(bool exit_button_flag) {
    auto window = std::make_unique<CSaverWnd>(SaverWindowContext{profile_, exit_button_flag, times_, link_});
    EXPECT_TRUE(window->Create());
    return window;
  }

  TestRegistry registry_;
  CRegistryProfile profile_;
  std::uint32_t times_ = 0;
  std::string link_;
};

struct InputCase {
  const char* name;
  std::map<Setting, int> stored;
  bool exit_button_flag;
  UINT message;
  WPARAM wparam;
  bool closes;
};

TEST_F(SaverWndTest, InputClosesTheWindowByTheRules) {
  const InputCase cases[] = {
      {"standard: move", {}, false, WM_MOUSEMOVE, 0, true},
      {"standard: click", {}, false, WM_LBUTTONDOWN, MK_LBUTTON, true},
      {"standard: right click", {}, false, WM_RBUTTONDOWN, MK_RBUTTON, true},
      {"standard: double click", {}, false, WM_MBUTTONDBLCLK, 0, true},
      {"standard: key", {}, false, WM_KEYDOWN, 'Q', true},
      {"standard: Alt+key", {}, false, WM_SYSKEYDOWN, 'Q', true},
      {"standard: Alt+F4", {}, false, WM_SYSKEYDOWN, VK_F4, false},
      {"standard: the Alt of Alt+F4", {}, false, WM_SYSKEYDOWN, VK_MENU, false},
      {"system close command", {}, false, WM_SYSCOMMAND, SC_CLOSE, false},
      {"system screen-save command", {}, false, WM_SYSCOMMAND, SC_SCREENSAVE, false},
      {"custom Escape only: other key", {{Setting::Standard, 0}, {Setting::Escape, 1}}, false, WM_KEYDOWN, 'Q', false},
      {"custom Escape only: Escape", {{Setting::Standard, 0}, {Setting::Escape, 1}}, false, WM_KEYDOWN, VK_ESCAPE, true},
      {"custom Escape only: click", {{Setting::Standard, 0}, {Setting::Escape, 1}}, false, WM_LBUTTONDOWN, 0, false},
      {"custom double click: single press", {{Setting::Standard, 0}, {Setting::DoubleClick, 1}}, false, WM_LBUTTONDOWN, 0, false},
      {"custom double click: double", {{Setting::Standard, 0}, {Setting::DoubleClick, 1}}, false, WM_LBUTTONDBLCLK, 0, true},
      {"test run: move", {}, true, WM_MOUSEMOVE, 0, false},
      {"test run: click", {}, true, WM_LBUTTONDOWN, 0, false},
      {"test run: key", {{Setting::Standard, 0}}, true, WM_KEYDOWN, 'Q', true},
      {"test run: Alt+F4", {}, true, WM_SYSKEYDOWN, VK_F4, false},
  };
  for (const InputCase& c : cases) {
    ClearSettings();
    for (const auto& [setting, value] : c.stored) WriteSetting(profile_, setting, value);
    auto window = MakeWindow(c.exit_button_flag);
    if (c.message == WM_MOUSEMOVE) SendMessageW(window->Handle(), WM_MOUSEMOVE, 0, CursorPosition(window->Handle()));
    PostMessageW(window->Handle(), c.message, c.wparam, MAKELPARAM(50, 60));
    EXPECT_EQ(PumpUntilClosed(window->Handle()), c.closes) << c.name;
  }
}

TEST_F(SaverWndTest, MouseMoveToTheSamePlaceDoesNotClose) {
  auto window = MakeWindow(false);
  const LPARAM here = CursorPosition(window->Handle());
  SendMessageW(window->Handle(), WM_MOUSEMOVE, 0, here);
  PostMessageW(window->Handle(), WM_MOUSEMOVE, 0, here);
  EXPECT_FALSE(PumpUntilClosed(window->Handle()));
  PostMessageW(window->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(GET_X_LPARAM(here) + 1, GET_Y_LPARAM(here)));
  EXPECT_TRUE(PumpUntilClosed(window->Handle()));
}

TEST_F(SaverWndTest, LinkKeyHandsTheLinkToTheApplication) {
  auto window = MakeWindow(false);
  std::thread scene([&] { window->ArmLink("http://example.invalid/show", 1); });
  scene.join();
  PostMessageW(window->Handle(), WM_KEYDOWN, VK_SPACE, 0);  // not the F12 of mode 1, but closes
  PumpUntilClosed(window->Handle());
  EXPECT_EQ(link_, "");
  link_.clear();
  auto second = MakeWindow(false);
  second->ArmLink("http://example.invalid/show", 1);
  PostMessageW(second->Handle(), WM_KEYDOWN, VK_F12, 0);
  EXPECT_TRUE(PumpUntilClosed(second->Handle()));
  EXPECT_EQ(link_, "http://example.invalid/show");
}

TEST_F(SaverWndTest, BackgroundIsErasedWithTheFillColourSetFromAnotherThread) {
  auto window = MakeWindow(false);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  for (COLORREF colour : {RGB(200, 10, 30), RGB(0, 128, 255), RGB(0, 0, 0)}) {
    std::atomic<bool> filled{false};
    std::thread scene([&] {
      window->Fill(colour);
      filled = true;
    });
    // The fill repaints through this thread: answer it while the scene thread waits.
    for (int i = 0; i < 3000 && !filled; ++i) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      Sleep(1);
    }
    scene.join();
    EXPECT_EQ(SendMessageW(window->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0), 1);
    EXPECT_EQ(GetPixel(memory, 3, 3), colour);
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

TEST_F(SaverWndTest, CalibratesOncePerMachine) {
  registry_.Clear();
  auto first = MakeWindow(false);
  const StoredCalibration measured = ReadCalibration(registry_.Path());
  EXPECT_GT(measured.times, 0u);
  EXPECT_EQ(times_, measured.times);
  EXPECT_FALSE(measured.fingerprint.empty());
  first.reset();

  WriteCalibration(registry_.Path(), {measured.fingerprint, 4242});
  auto same_machine = MakeWindow(false);
  EXPECT_EQ(times_, 4242u);
  EXPECT_EQ(ReadCalibration(registry_.Path()).times, 4242u);
  same_machine.reset();

  WriteCalibration(registry_.Path(), {measured.fingerprint + ",changed", 4242});
  auto other_machine = MakeWindow(false);
  EXPECT_NE(times_, 4242u);
  EXPECT_EQ(ReadCalibration(registry_.Path()).fingerprint, measured.fingerprint);
}

TEST_F(SaverWndTest, CloseStopsTheShowItsThreadRuns) {
  auto window = MakeWindow(false);
  CSceneThread show(*window, &times_, false, [](CSceneRuntime& runtime) {
    while (!runtime.StopRequested()) runtime.Sleep(kSleepSliceMs);  // a show that never ends by itself
  });
  window->AttachShow(&show);
  ASSERT_TRUE(show.Start());
  Sleep(200);
  EXPECT_EQ(WaitForSingleObject(show.ExitedEvent(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
  const auto before = std::chrono::steady_clock::now();
  PostMessageW(window->Handle(), WM_CLOSE, 0, 0);
  // Answer the window's messages until the show's thread has ended.
  for (int i = 0; i < 20000 && WaitForSingleObject(show.ExitedEvent(), 0) != WAIT_OBJECT_0; ++i) {
    MSG message;
    if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) && message.message != WM_QUIT) DispatchMessageW(&message);
    else Sleep(1);
  }
  const auto ended = std::chrono::steady_clock::now();
  EXPECT_EQ(WaitForSingleObject(show.ExitedEvent(), 0), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_TRUE(PumpUntilClosed(window->Handle()));
  std::printf("close to the end of the show's thread: %.1f ms\n",
              std::chrono::duration<double, std::milli>(ended - before).count());
}

TEST_F(SaverWndTest, TestRunHasAHiddenExitButtonThatCloses) {
  auto window = MakeWindow(true);
  HWND host = GetDlgItem(window->Handle(), CExitButtonHost::kHostId);
  ASSERT_NE(host, nullptr);
  EXPECT_FALSE(IsWindowVisible(host));
  window->ShowExitButton();
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  EXPECT_TRUE(IsWindowVisible(host));
  HWND button = GetDlgItem(host, CExitButtonHost::kButtonId);
  ASSERT_NE(button, nullptr);
  wchar_t text[16] = {};
  GetWindowTextW(button, text, 16);
  EXPECT_STREQ(text, L"Exit");
  RECT bounds{};
  GetWindowRect(host, &bounds);
  EXPECT_EQ(bounds.right - bounds.left, 80);
  EXPECT_EQ(bounds.right, GetSystemMetrics(SM_CXSCREEN));
  SendMessageW(button, BM_CLICK, 0, 0);
  EXPECT_TRUE(PumpUntilClosed(window->Handle()));
}

}  // namespace
}  // namespace saver::win
