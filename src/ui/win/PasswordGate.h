#pragma once
// The password check before the saver window closes, and the change of password (mode "a").
#include <windows.h>

#include "ui/win/PasswordStore.h"

namespace saver::win {

// True when the saver window may close: protection is off, no password is stored, or the
// password dialog owned by `saver_window` was answered with the right password.
bool PasswordGateLetsClose(HWND saver_window, const PasswordStore& store);

// Asks for the stored password first when there is one, then for the new password.
void ChangePassword(HWND owner, const PasswordStore& store);

}  // namespace saver::win
