#include "ui/win/SettingsDialog.h"

#include <gtest/gtest.h>

#include <map>
#include <thread>
#include <vector>

#include "support/win/TestRegistry.h"
#include "res/resource.h"
#include "ui/SettingsTable.h"
#include "ui/win/RegistryProfile.h"

namespace saver::win {
namespace {

using testing_support::TestRegistry;

BOOL CALLBACK TakeDialog(HWND window, LPARAM found) {
  wchar_t class_name[16] = {};
  GetClassNameW(window, class_name, 16);
  if (std::wstring(class_name) != L"#32770") return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The settings dialog of this thread, once it is up.
HWND FindSettingsDialog(DWORD thread_id) {
  HWND found = nullptr;
  EnumThreadWindows(thread_id, TakeDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

struct ControlState {
  bool checked;
  bool enabled;
};

// Runs the dialog on this thread while a helper thread looks at it and clicks `clicks` in order.
class DialogDriver {
 public:
  explicit DialogDriver(std::vector<int> clicks) : clicks_(std::move(clicks)) {}

  INT_PTR Run(CProfile& profile) {
    const DWORD ui_thread = GetCurrentThreadId();
    std::thread driver([this, ui_thread] {
      HWND dialog = nullptr;
      for (int i = 0; i < 1000 && !dialog; ++i) {
        Sleep(10);
        dialog = FindSettingsDialog(ui_thread);
      }
      for (int i = 0; i < 1000 && dialog && !IsWindowVisible(dialog); ++i) Sleep(10);
      if (!dialog) return;
      for (int id : {IDC_STANDARD_EXIT, IDC_CUSTOM_EXIT, IDC_ON_MOUSE_MOVE, IDC_ON_MOUSE_CLICK, IDC_ON_DOUBLE_CLICK,
                     IDC_ON_KEY_PRESSED, IDC_ON_ESCAPE, IDC_MUTE}) {
        HWND control = GetDlgItem(dialog, id);
        initial[id] = {SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED, IsWindowEnabled(control) != FALSE};
      }
      for (int id : clicks_) {
        Click(dialog, id);
        if (id != IDOK && id != IDCANCEL)
          after_clicks[id] = IsWindowEnabled(GetDlgItem(dialog, IDC_ON_ESCAPE)) != FALSE;
      }
    });
    const INT_PTR result = ShowSettingsDialog(nullptr, profile);
    driver.join();
    return result;
  }

  // What a click does to the dialog's automatic buttons, then the notification the dialog gets.
  // (Clicks sent as mouse messages from another thread are not reliable under Wine, where the
  // button cannot take the capture from a thread that is not the foreground one.)
  static void Click(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (id == IDC_STANDARD_EXIT || id == IDC_CUSTOM_EXIT) {
      CheckRadioButton(dialog, IDC_STANDARD_EXIT, IDC_CUSTOM_EXIT, id);
    } else if (id != IDOK && id != IDCANCEL) {
      const bool checked = SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
      SendMessageW(button, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
    }
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  }

  std::map<int, ControlState> initial;
  std::map<int, bool> after_clicks;  // whether the rule boxes were enabled after each click

 private:
  std::vector<int> clicks_;
};

class SettingsDialogTest : public ::testing::Test {
 protected:
  SettingsDialogTest() : registry_(L"Saver Tests\\Dialog"), profile_(registry_.CompanyKey(), L"dialog.scr") {}
  std::map<Setting, int> Stored() const {
    std::map<Setting, int> stored;
    for (const SettingDeclaration& d : kSettings) {
      const int absent = -12345;
      const int value = profile_.GetInt(kSettingsSection, d.name, absent);
      if (value != absent) stored[d.setting] = value;
    }
    return stored;
  }

  TestRegistry registry_;
  CRegistryProfile profile_;
};

TEST_F(SettingsDialogTest, FreshUserSeesStandardAndClearDisabledRules) {
  DialogDriver driver({IDCANCEL});
  EXPECT_EQ(driver.Run(profile_), IDCANCEL);
  EXPECT_TRUE(driver.initial[IDC_STANDARD_EXIT].checked);
  EXPECT_FALSE(driver.initial[IDC_CUSTOM_EXIT].checked);
  for (int id = IDC_ON_MOUSE_MOVE; id <= IDC_ON_ESCAPE; ++id) {
    EXPECT_FALSE(driver.initial[id].checked) << id;
    EXPECT_FALSE(driver.initial[id].enabled) << id;
  }
  EXPECT_TRUE(driver.initial[IDC_MUTE].enabled);
  EXPECT_TRUE(Stored().empty());  // Cancel stores nothing
}

TEST_F(SettingsDialogTest, RadioButtonsEnableAndDisableTheRules) {
  DialogDriver driver({IDC_CUSTOM_EXIT, IDC_STANDARD_EXIT, IDC_CUSTOM_EXIT, IDCANCEL});
  driver.Run(profile_);
  EXPECT_EQ(driver.after_clicks, (std::map<int, bool>{{IDC_CUSTOM_EXIT, true}, {IDC_STANDARD_EXIT, false}}));
  EXPECT_TRUE(Stored().empty());
}

struct OkCase {
  const char* name;
  std::map<Setting, int> before;
  std::vector<int> clicks;
  std::map<Setting, int> after;
};

TEST_F(SettingsDialogTest, OkStoresTheChoice) {
  const std::map<Setting, int> standard = {{Setting::Standard, 1}, {Setting::MouseMove, 0}, {Setting::ButtonDown, 0},
                                           {Setting::DoubleClick, 0}, {Setting::KeyDown, 0}, {Setting::Escape, 0},
                                           {Setting::Mute, 0}};
  auto with = [&standard](std::map<Setting, int> changes) {
    std::map<Setting, int> values = standard;
    for (const auto& [setting, value] : changes) values[setting] = value;
    return values;
  };
  const OkCase cases[] = {
      {"OK at once stores the standard rules", {}, {IDOK}, standard},
      {"custom without a rule falls back", {}, {IDC_CUSTOM_EXIT, IDOK}, standard},
      {"custom with only Escape", {}, {IDC_CUSTOM_EXIT, IDC_ON_ESCAPE, IDOK},
       with({{Setting::Standard, 0}, {Setting::Escape, 1}})},
      {"mute", {}, {IDC_MUTE, IDOK}, with({{Setting::Mute, 1}})},
      {"back to standard clears the rules",
       {{Setting::Standard, 0}, {Setting::ButtonDown, 1}, {Setting::KeyDown, 1}},
       {IDC_STANDARD_EXIT, IDOK}, standard},
      {"stored 2 opens as custom and keeps its boxes",
       {{Setting::Standard, 2}, {Setting::DoubleClick, 1}},
       {IDOK}, with({{Setting::Standard, 0}, {Setting::DoubleClick, 1}})},
  };
  for (const OkCase& c : cases) {
    registry_.Clear();
    for (const auto& [setting, value] : c.before) WriteSetting(profile_, setting, value);
    DialogDriver driver(c.clicks);
    EXPECT_EQ(driver.Run(profile_), IDOK) << c.name;
    EXPECT_EQ(Stored(), c.after) << c.name;
  }
}

TEST_F(SettingsDialogTest, CancelAfterChangesStoresNothing) {
  WriteSetting(profile_, Setting::Standard, 0);
  WriteSetting(profile_, Setting::KeyDown, 1);
  DialogDriver driver({IDC_STANDARD_EXIT, IDC_MUTE, IDCANCEL});
  EXPECT_EQ(driver.Run(profile_), IDCANCEL);
  EXPECT_EQ(Stored(), (std::map<Setting, int>{{Setting::Standard, 0}, {Setting::KeyDown, 1}}));
  EXPECT_TRUE(driver.initial[IDC_CUSTOM_EXIT].checked);
  EXPECT_TRUE(driver.initial[IDC_ON_KEY_PRESSED].checked);
  EXPECT_TRUE(driver.initial[IDC_ON_KEY_PRESSED].enabled);
}

}  // namespace
}  // namespace saver::win
