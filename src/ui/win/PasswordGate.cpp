#include "ui/win/PasswordGate.h"

#include "ui/win/PasswordDialogs.h"

namespace saver::win {

bool PasswordGateLetsClose(HWND saver_window, const PasswordStore& store) {
  const std::string stored = store.Stored();
  if (stored.empty() || !PasswordProtectionOn()) return true;
  return ShowPasswordDialog(saver_window, stored) == IDOK;
}

void ChangePassword(HWND owner, const PasswordStore& store) {
  const std::string stored = store.Stored();
  if (!stored.empty() && ShowPasswordDialog(owner, stored) != IDOK) return;
  ShowNewPasswordDialog(owner, store);
}

}  // namespace saver::win
