#pragma once
// The settings dialog (resource 133): standard or custom exit rules, the five custom rules and the
// mute switch. The profile is its only result.
#include <windows.h>

#include "ui/Profile.h"

namespace saver::win {

// Runs the dialog modally, owned by `owner` (may be null). Returns IDOK or IDCANCEL (-1 when the
// dialog could not be created).
INT_PTR ShowSettingsDialog(HWND owner, CProfile& profile);

}  // namespace saver::win
