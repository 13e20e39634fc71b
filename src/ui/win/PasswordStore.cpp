#include "ui/win/PasswordStore.h"

#include <cstdlib>
#include <cstring>

#include "base/win/ScopedWin.h"

namespace saver::win {
namespace {

constexpr const wchar_t* kPasswordSection = L"\\Password";
constexpr const char* kStoredValue = "Encrypt";
// Scrambled passwords are 52 characters; a longer value is not one of ours.
constexpr DWORD kStoredBytes = 260;

std::uint32_t LittleEndianNumber(const BYTE* bytes, DWORD size) {
  std::uint32_t number = 0;
  for (DWORD i = 0; i < size && i < 4; ++i) number |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
  return number;
}

}  // namespace

CPasswordStore::CPasswordStore(std::wstring application_key_path)
    : key_path_(std::move(application_key_path) + kPasswordSection) {}

std::string CPasswordStore::Stored() const {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key_path_.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return {};
  ScopedRegKey key(opened);
  char text[kStoredBytes + 1] = {};
  DWORD type = 0, size = kStoredBytes;
  if (RegQueryValueExA(key.Get(), kStoredValue, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ) {
    return {};
  }
  return std::string(text, strnlen(text, size));
}

bool CPasswordStore::Store(const std::string& scrambled) const {
  HKEY created = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, key_path_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  ScopedRegKey key(created);
  return RegSetValueExA(key.Get(), kStoredValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(scrambled.c_str()),
                        static_cast<DWORD>(scrambled.size() + 1)) == ERROR_SUCCESS;
}

bool PasswordProtectionOn() {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &opened) != ERROR_SUCCESS)
    return false;
  ScopedRegKey key(opened);
  BYTE data[16] = {};
  DWORD type = 0, size = sizeof(data) - 1;
  if (RegQueryValueExA(key.Get(), "ScreenSaveUsePassword", nullptr, &type, data, &size) != ERROR_SUCCESS)
    return false;
  if (type == REG_SZ || type == REG_EXPAND_SZ) return std::strtoul(reinterpret_cast<char*>(data), nullptr, 10) != 0;
  return LittleEndianNumber(data, size) != 0;
}

}  // namespace saver::win
