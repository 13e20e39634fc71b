#pragma once
#include <windows.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "res/resource.h"

namespace saver::win::testing_support {

// The windows a password test meets on its user-interface thread.
enum class DialogKind { Password, NewPassword, MessageBox, Other };

// One thing the user does: wait for a window of `kind`, type `texts` into its edits, press `button`.
struct DialogStep {
  DialogKind kind;
  std::vector<std::pair<int, std::wstring>> texts;
  int button = IDOK;
};

// What the script saw: the text of each message box, the password edit of the box's owner at
// that moment, and any window that came when the script expected none.
struct DialogRecord {
  std::vector<std::wstring> messages;
  std::vector<std::wstring> owner_edit_at_message;
  int unexpected_windows = 0;
  bool timed_out = false;
};

inline DialogKind KindOf(HWND window) {
  if (GetDlgItem(window, IDC_PASSWORD)) return DialogKind::Password;
  if (GetDlgItem(window, IDC_NEW_PASSWORD)) return DialogKind::NewPassword;
  if (GetDlgItem(window, 0xFFFF)) return DialogKind::MessageBox;  // the message box's text
  return DialogKind::Other;
}

inline std::wstring TextOf(HWND window, int id) {
  wchar_t text[256] = {};
  GetDlgItemTextW(window, id, text, 256);
  return text;
}

// Plays the steps on a helper thread while the test runs modal dialogs on its own thread; once
// they are done, every further window is counted and cancelled until the script is dropped.
class DialogScript {
 public:
  explicit DialogScript(std::vector<DialogStep> steps)
      : steps_(std::move(steps)), ui_thread_(GetCurrentThreadId()), driver_([this] { Play(); }) {}
  ~DialogScript() { Finish(); }
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  // Waits for the driver to finish, then hands over what it saw.
  DialogRecord Finish() {
    done_ = true;
    if (driver_.joinable()) driver_.join();
    return record_;
  }

 private:
  static constexpr int kStepLimitMs = 20000;

  // The enabled, visible dialog or message box on top of the test's thread.
  HWND TopDialog() const {
    HWND found = nullptr;
    EnumThreadWindows(ui_thread_, TakeTopDialog, reinterpret_cast<LPARAM>(&found));
    return found;
  }

  static BOOL CALLBACK TakeTopDialog(HWND window, LPARAM found) {
    wchar_t class_name[16] = {};
    GetClassNameW(window, class_name, 16);
    if (std::wstring(class_name) != L"#32770" || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }

  void Play() {
    for (const DialogStep& step : steps_) {
      HWND window = nullptr;
      for (int waited = 0; waited < kStepLimitMs; waited += 10) {
        window = TopDialog();
        if (window && KindOf(window) == step.kind) break;
        window = nullptr;
        Sleep(10);
      }
      if (!window) {
        record_.timed_out = true;
        break;
      }
      Act(window, step);
    }
    // Any other window that comes now was not expected: count it and get it out of the way. The
    // windows the script answered may still be closing (a dialog ends after its last message box).
    while (!done_) {
      HWND window = TopDialog();
      if (window && !handled_.contains(window)) {
        ++record_.unexpected_windows;
        PostMessageW(window, WM_COMMAND, KindOf(window) == DialogKind::MessageBox ? IDOK : IDCANCEL, 0);
        WaitGone(window);
      }
      Sleep(10);
    }
  }

  void Act(HWND window, const DialogStep& step) {
    handled_.insert(window);
    if (step.kind == DialogKind::MessageBox) {
      record_.messages.push_back(TextOf(window, 0xFFFF));
      record_.owner_edit_at_message.push_back(TextOf(GetWindow(window, GW_OWNER), IDC_PASSWORD));
    }
    for (const auto& [id, text] : step.texts) SendDlgItemMessageW(window, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    PostMessageW(window, WM_COMMAND, step.button, 0);
    // A dialog that stays open (wrong password) is covered by its message box instead.
    for (int waited = 0; waited < kStepLimitMs && IsWindow(window) && TopDialog() == window; waited += 10) Sleep(10);
  }

  static void WaitGone(HWND window) {
    for (int waited = 0; waited < kStepLimitMs && IsWindow(window); waited += 10) Sleep(10);
  }

  std::vector<DialogStep> steps_;
  DWORD ui_thread_;
  DialogRecord record_;
  std::set<HWND> handled_;
  std::atomic<bool> done_{false};
  std::thread driver_;
};

}  // namespace saver::win::testing_support
