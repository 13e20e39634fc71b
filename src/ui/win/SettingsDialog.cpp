#include "ui/win/SettingsDialog.h"

#include "res/resource.h"
#include "ui/SettingsForm.h"

namespace saver::win {
namespace {

constexpr int kStandardRadioId = IDC_STANDARD_EXIT;
constexpr int kCustomRadioId = IDC_CUSTOM_EXIT;
constexpr int kFirstRuleCheckId = IDC_ON_MOUSE_MOVE;  // + position in kExitRuleSettings
constexpr int kMuteCheckId = IDC_MUTE;
static_assert(IDC_ON_ESCAPE == kFirstRuleCheckId + kExitRuleSettings.size() - 1);

void EnableRuleBoxes(HWND dialog, bool enable) {
  for (std::size_t i = 0; i < kExitRuleSettings.size(); ++i)
    EnableWindow(GetDlgItem(dialog, kFirstRuleCheckId + static_cast<int>(i)), enable);
}

void ShowForm(HWND dialog, const SettingsForm& form) {
  CheckRadioButton(dialog, kStandardRadioId, kCustomRadioId, form.standard ? kStandardRadioId : kCustomRadioId);
  for (std::size_t i = 0; i < form.rules.size(); ++i)
    CheckDlgButton(dialog, kFirstRuleCheckId + static_cast<int>(i), form.rules[i] ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, kMuteCheckId, form.mute ? BST_CHECKED : BST_UNCHECKED);
  EnableRuleBoxes(dialog, form.RulesEnabled());
}

SettingsForm ReadForm(HWND dialog) {
  SettingsForm form;
  form.standard = IsDlgButtonChecked(dialog, kStandardRadioId) == BST_CHECKED;
  for (std::size_t i = 0; i < form.rules.size(); ++i)
    form.rules[i] = IsDlgButtonChecked(dialog, kFirstRuleCheckId + static_cast<int>(i)) == BST_CHECKED;
  form.mute = IsDlgButtonChecked(dialog, kMuteCheckId) == BST_CHECKED;
  return form;
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* profile = reinterpret_cast<CProfile*>(lparam);
      SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      ShowForm(dialog, SettingsForm::Load(*profile));
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case kStandardRadioId:
        case kCustomRadioId:
          EnableRuleBoxes(dialog, IsDlgButtonChecked(dialog, kCustomRadioId) == BST_CHECKED);
          return TRUE;
        case IDOK: {
          auto* profile = reinterpret_cast<CProfile*>(GetWindowLongPtrW(dialog, DWLP_USER));
          ReadForm(dialog).Save(*profile);
          EndDialog(dialog, IDOK);
          return TRUE;
        }
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

INT_PTR ShowSettingsDialog(HWND owner, CProfile& profile) {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTINGS), owner, DialogProcedure,
                         reinterpret_cast<LPARAM>(&profile));
}

}  // namespace saver::win
