#include "ui/win/PasswordGate.h"

#include "res/resource.h"
#include "ui/win/PasswordDialogs.h"

namespace saver::win {

bool PasswordGateLetsClose(HWND saver_window, const CPasswordStore& store) {
  const std::string stored = store.Stored();
  if (stored.empty() || !PasswordProtectionOn()) return true;
  return ShowPasswordDialog(saver_window, stored) == IDOK;
}

bool SaverWindowPasswordGate(HWND saver_window, const CPasswordStore& store, bool cursor_hidden) {
  if (!cursor_hidden) return PasswordGateLetsClose(saver_window, store);
  SetClassLongPtrW(saver_window, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(LoadCursorW(nullptr, IDC_ARROW)));
  ShowCursor(TRUE);
  const bool closes = PasswordGateLetsClose(saver_window, store);
  SetClassLongPtrW(saver_window, GCLP_HCURSOR,
                   reinterpret_cast<LONG_PTR>(LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_SHOW_CURSOR))));
  ShowCursor(FALSE);
  return closes;
}

void ChangePassword(HWND owner, const CPasswordStore& store) {
  const std::string stored = store.Stored();
  if (!stored.empty() && ShowPasswordDialog(owner, stored) != IDOK) return;
  ShowNewPasswordDialog(owner, store);
}

}  // namespace saver::win
