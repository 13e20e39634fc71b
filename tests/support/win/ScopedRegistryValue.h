#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace saver::win::testing_support {

// Remembers one registry value of the test prefix and puts it back (or removes it) when dropped,
// so tests may set the system's own values.
class ScopedRegistryValue {
 public:
  ScopedRegistryValue(HKEY root, std::wstring subkey, std::wstring name)
      : root_(root), subkey_(std::move(subkey)), name_(std::move(name)) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root_, subkey_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    DWORD size = 0;
    if (RegQueryValueExW(key, name_.c_str(), nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
      saved_.emplace(size);
      RegQueryValueExW(key, name_.c_str(), nullptr, &type_, saved_->data(), &size);
    }
    RegCloseKey(key);
  }
  ~ScopedRegistryValue() {
    if (saved_) {
      Set(type_, saved_->data(), static_cast<DWORD>(saved_->size()));
    } else {
      Remove();
    }
  }
  ScopedRegistryValue(const ScopedRegistryValue&) = delete;
  ScopedRegistryValue& operator=(const ScopedRegistryValue&) = delete;

  void Set(DWORD type, const void* data, DWORD size) const {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root_, subkey_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
      return;
    RegSetValueExW(key, name_.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
  void SetText(const std::wstring& text) const {
    Set(REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  void SetNumber(DWORD number) const { Set(REG_DWORD, &number, sizeof(number)); }
  void Remove() const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root_, subkey_.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, name_.c_str());
    RegCloseKey(key);
  }

 private:
  HKEY root_;
  std::wstring subkey_;
  std::wstring name_;
  DWORD type_ = REG_NONE;
  std::optional<std::vector<BYTE>> saved_;
};

}  // namespace saver::win::testing_support
