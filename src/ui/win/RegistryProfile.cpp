#include "ui/win/RegistryProfile.h"

#include "base/win/TextConversion.h"
#include "ui/ProfileNames.h"

namespace saver::win {
namespace {

ScopedRegKey OpenKey(const std::wstring& path, bool create) {
  HKEY key = nullptr;
  const LONG status = create ? RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                               nullptr, &key, nullptr)
                             : RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key);
  return ScopedRegKey(status == ERROR_SUCCESS ? key : nullptr);
}

}  // namespace

CRegistryProfile::CRegistryProfile(std::wstring company_key, std::wstring application_name)
    : company_path_(L"Software\\" + company_key), application_path_(company_path_ + L"\\" + application_name) {}

std::wstring CRegistryProfile::SectionPath(std::string_view section) const {
  return application_path_ + L"\\" + WideFromAnsi(section);
}

int CRegistryProfile::GetInt(std::string_view section, std::string_view name, int default_value) const {
  ScopedRegKey key = OpenKey(SectionPath(section), false);
  if (!key) return default_value;
  DWORD value = 0, type = 0, size = sizeof(value);
  const LONG status = RegQueryValueExW(key.Get(), WideFromAnsi(name).c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(&value), &size);
  if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value)) return default_value;
  return static_cast<int>(value);
}

void CRegistryProfile::WriteInt(std::string_view section, std::string_view name, int value) {
  ScopedRegKey key = OpenKey(SectionPath(section), true);
  if (!key) return;
  const DWORD data = static_cast<DWORD>(value);
  RegSetValueExW(key.Get(), WideFromAnsi(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                 sizeof(data));
}

StoredCalibration ReadCalibration(const std::wstring& company_key_path) {
  StoredCalibration stored;
  ScopedRegKey key = OpenKey(company_key_path, false);
  if (!key) return stored;
  // Up to 260 characters; the value is written without a terminating zero.
  wchar_t text[260] = {};
  DWORD type = 0, size = sizeof(text);
  if (RegQueryValueExW(key.Get(), L"" SAVER_CALIBRATION_SYSINFO, nullptr, &type, reinterpret_cast<BYTE*>(text),
                       &size) == ERROR_SUCCESS &&
      type == REG_SZ) {
    std::wstring_view value(text, size / sizeof(wchar_t));
    if (!value.empty() && value.back() == L'\0') value.remove_suffix(1);
    stored.fingerprint = AnsiFromWide(value);
  }
  DWORD times = 0;
  size = sizeof(times);
  if (RegQueryValueExW(key.Get(), L"" SAVER_CALIBRATION_TIMES, nullptr, &type, reinterpret_cast<BYTE*>(&times),
                       &size) == ERROR_SUCCESS &&
      type == REG_DWORD && size == sizeof(times))
    stored.times = times;
  return stored;
}

void WriteCalibration(const std::wstring& company_key_path, const StoredCalibration& calibration) {
  ScopedRegKey key = OpenKey(company_key_path, true);
  if (!key) return;
  const std::wstring fingerprint = WideFromAnsi(calibration.fingerprint);
  RegSetValueExW(key.Get(), L"" SAVER_CALIBRATION_SYSINFO, 0, REG_SZ, reinterpret_cast<const BYTE*>(fingerprint.data()),
                 static_cast<DWORD>(fingerprint.size() * sizeof(wchar_t)));
  const DWORD times = calibration.times;
  RegSetValueExW(key.Get(), L"" SAVER_CALIBRATION_TIMES, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&times),
                 sizeof(times));
}

std::wstring LoadResourceString(UINT id) {
  const wchar_t* text = nullptr;
  // With a zero buffer length LoadString hands out a pointer into the resource itself.
  const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t*>(&text), 0);
  return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

}  // namespace saver::win
