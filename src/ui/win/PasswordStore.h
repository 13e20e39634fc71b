#pragma once
// Where the saver keeps its password (scrambled, never in plain text) and the system's switch
// that turns password protection on.
#include <windows.h>

#include <string>

namespace saver::win {

// HKEY_CURRENT_USER\<application key>\Password, value "Encrypt".
class CPasswordStore {
 public:
  // `application_key_path` is relative to HKEY_CURRENT_USER, e.g. "Software\<company>\<saver>".
  explicit CPasswordStore(std::wstring application_key_path);

  // The stored scrambled password; empty when none is set or it cannot be read.
  std::string Stored() const;
  // Stores a scrambled password; an empty text removes the protection. False when the registry
  // refused.
  bool Store(const std::string& scrambled) const;

 private:
  std::wstring key_path_;
};

// The system's "ScreenSaveUsePassword" of HKEY_CURRENT_USER\Control Panel\Desktop. A number
// stored as binary data counts by its first four bytes (little-endian); one stored as text
// counts by its decimal value, so that the text "0" means off. Absent or unreadable: off.
bool PasswordProtectionOn();

}  // namespace saver::win
