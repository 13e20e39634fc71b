#include "desktop/win/RegistryText.h"

#include <cstring>
#include <vector>

#include "base/win/ScopedWin.h"

namespace saver::win {

std::optional<std::string> ReadKeyText(HKEY key, const char* name, DWORD max_bytes) {
  std::vector<char> text(max_bytes + 1, '\0');  // one more, so a value stored without its zero still ends
  DWORD type = 0, size = max_bytes;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS)
    return std::nullopt;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  return std::string(text.data(), strnlen(text.data(), size));
}

std::optional<std::string> ReadRegistryText(HKEY root, const std::string& subkey, const char* name, DWORD max_bytes,
                                            REGSAM access) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, subkey.c_str(), 0, access, &opened) != ERROR_SUCCESS) return std::nullopt;
  ScopedRegKey key(opened);
  return ReadKeyText(key.Get(), name, max_bytes);
}

}  // namespace saver::win
