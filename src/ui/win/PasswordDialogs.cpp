#include "ui/win/PasswordDialogs.h"

#include "res/resource.h"
#include "ui/PasswordScrambler.h"
#include "ui/win/RegistryProfile.h"

namespace saver::win {
namespace {

// What a dialog procedure finds behind DWLP_USER.
struct NewPasswordState {
  const CPasswordStore* store;
};
struct PasswordState {
  const std::string* stored;
};

template <typename State>
State* StateOf(HWND dialog) {
  return reinterpret_cast<State*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

void LimitEdit(HWND dialog, int id) {
  SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, kMaxPasswordLength, 0);
}

// The edit's text in the ANSI code page the stored form was made in, at most 51 characters.
std::string EditText(HWND dialog, int id) {
  char text[kMaxPasswordLength + 1] = {};
  const UINT length = GetDlgItemTextA(dialog, id, text, sizeof(text));
  return std::string(text, length);
}

// A message box captioned like the dialog it belongs to.
void ShowMessage(HWND dialog, UINT text_id, UINT icon) {
  wchar_t caption[64] = {};
  GetWindowTextW(dialog, caption, 64);
  MessageBoxW(dialog, LoadResourceString(text_id).c_str(), caption, MB_OK | icon);
}

void AcceptNewPassword(HWND dialog) {
  const std::string password = EditText(dialog, IDC_NEW_PASSWORD);
  if (password != EditText(dialog, IDC_CONFIRM_PASSWORD)) {
    ShowMessage(dialog, IDS_PASSWORDS_DIFFER, MB_ICONEXCLAMATION);
    return;
  }
  // A write the registry refused leaves the old value, and so the old password, in force; the
  // dialog stays open for another try or Cancel.
  if (!StateOf<NewPasswordState>(dialog)->store->Store(ScramblePassword(password))) {
    ShowMessage(dialog, IDS_PASSWORD_NOT_STORED, MB_ICONEXCLAMATION);
    return;
  }
  ShowMessage(dialog, IDS_PASSWORD_CHANGED, MB_ICONINFORMATION);
  EndDialog(dialog, IDOK);
}

void CheckPassword(HWND dialog) {
  if (ScramblePassword(EditText(dialog, IDC_PASSWORD)) == *StateOf<PasswordState>(dialog)->stored) {
    EndDialog(dialog, IDOK);
    return;
  }
  SetDlgItemTextW(dialog, IDC_PASSWORD, L"");
  ShowMessage(dialog, IDS_WRONG_PASSWORD, MB_ICONEXCLAMATION);
  SetFocus(GetDlgItem(dialog, IDC_PASSWORD));
}

// The shared part of both procedures: the state pointer, edit limits, OK and Cancel.
template <void (*Accept)(HWND), int... EditIds>
INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      (LimitEdit(dialog, EditIds), ...);
      // Where no window manager hands out the focus (Wine on a bare X display), the dialog takes it.
      SetForegroundWindow(dialog);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK) {
        Accept(dialog);
        return TRUE;
      }
      if (LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

template <typename State>
INT_PTR Run(HWND owner, int dialog_id, DLGPROC procedure, State state) {
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(dialog_id), owner, procedure,
                         reinterpret_cast<LPARAM>(&state));
}

}  // namespace

INT_PTR ShowNewPasswordDialog(HWND owner, const CPasswordStore& store) {
  return Run(owner, IDD_NEW_PASSWORD,
             DialogProcedure<AcceptNewPassword, IDC_NEW_PASSWORD, IDC_CONFIRM_PASSWORD>,
             NewPasswordState{&store});
}

INT_PTR ShowPasswordDialog(HWND owner, const std::string& stored) {
  return Run(owner, IDD_PASSWORD, DialogProcedure<CheckPassword, IDC_PASSWORD>, PasswordState{&stored});
}

}  // namespace saver::win
