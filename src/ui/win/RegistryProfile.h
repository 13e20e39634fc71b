#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "base/win/ScopedWin.h"
#include "ui/Profile.h"

namespace saver::win {

// The profile in the registry: HKEY_CURRENT_USER\Software\<company key>\<application name>\<section>,
// each value a REG_DWORD. Keys are opened per call, as each value is read when it is needed.
class CRegistryProfile : public CProfile {
 public:
  CRegistryProfile(std::wstring company_key, std::wstring application_name);

  int GetInt(std::string_view section, std::string_view name, int default_value) const override;
  void WriteInt(std::string_view section, std::string_view name, int value) override;

  // HKEY_CURRENT_USER\Software\<company key>: the calibration values live here, shared by every saver.
  const std::wstring& CompanyKeyPath() const { return company_path_; }
  // Software\<company key>\<application name>, relative to HKEY_CURRENT_USER: the saver's own key.
  const std::wstring& ApplicationKeyPath() const { return application_path_; }

 private:
  std::wstring SectionPath(std::string_view section) const;

  std::wstring company_path_;
  std::wstring application_path_;
};

// The calibration values under the company key.
struct StoredCalibration {
  std::string fingerprint;  // SysInfo
  std::uint32_t times = 0;  // Times
};
// A key that cannot be opened reads as nothing stored (so the calibration runs again next time).
StoredCalibration ReadCalibration(const std::wstring& company_key_path);
void WriteCalibration(const std::wstring& company_key_path, const StoredCalibration& calibration);

// Loads a string of the module's string table.
std::wstring LoadResourceString(UINT id);

}  // namespace saver::win
