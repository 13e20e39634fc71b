#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "base/win/MessageBoxMessages.h"

namespace saver {
namespace {

constexpr wchar_t kCaption[] = L"pkg message test";
constexpr int kMessageTextId = 0xFFFF;  // the static control holding a message box's text

// Waits (up to ten seconds) for the message box, records its text and answers it with OK.
std::wstring AnswerMessageBox() {
  for (int attempt = 0; attempt < 1000; ++attempt) {
    HWND box = FindWindowW(nullptr, kCaption);
    if (box != nullptr) {
      wchar_t text[256] = {};
      GetDlgItemTextW(box, kMessageTextId, text, 256);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return text;
    }
    Sleep(10);
  }
  return L"<no message box>";
}

TEST(MessageBoxMessages, ShowsTheAnsiTextInAMessageBox) {
  std::wstring seen;
  std::thread answer([&] { seen = AnswerMessageBox(); });
  win::CMessageBoxMessages messages(kCaption);
  messages.ShowError("You have to choose the image.");
  answer.join();
  EXPECT_EQ(seen, L"You have to choose the image.");
}

}  // namespace
}  // namespace saver
