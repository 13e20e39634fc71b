#pragma once
// The two password dialogs: 102 sets a new password, 103 asks for the stored one. Both compare
// and store scrambled forms only.
#include <windows.h>

#include <string>

#include "ui/win/PasswordStore.h"

namespace saver::win {

// Runs the new-password dialog modally. OK with matching texts stores the scrambled new password
// (an empty one removes the protection) and says so; differing texts say that and keep the
// dialog open. Returns IDOK, IDCANCEL, or -1 when the dialog could not be created.
INT_PTR ShowNewPasswordDialog(HWND owner, const CPasswordStore& store);

// Runs the password dialog modally. It ends with IDOK only when the typed text scrambles to
// `stored`; a wrong one is cleared with a message and may be typed again. IDCANCEL on Cancel,
// -1 when the dialog could not be created.
INT_PTR ShowPasswordDialog(HWND owner, const std::string& stored);

}  // namespace saver::win
