#pragma once
// The password check before the saver window closes, and the change of password (mode "a").
#include <windows.h>

#include "ui/win/PasswordStore.h"

namespace saver::win {

// True when the saver window may close: protection is off, no password is stored, or the
// password dialog owned by `saver_window` was answered with the right password.
bool PasswordGateLetsClose(HWND saver_window, const CPasswordStore& store);

// The gate as the saver window runs it: while it may ask, the window's class cursor is the arrow
// and shown; afterwards the show's blank cursor is back and hidden again. `cursor_hidden` says
// whether the show hides the cursor at all (a test run with its exit button does not).
bool SaverWindowPasswordGate(HWND saver_window, const CPasswordStore& store, bool cursor_hidden);

// Asks for the stored password first when there is one, then for the new password.
void ChangePassword(HWND owner, const CPasswordStore& store);

}  // namespace saver::win
