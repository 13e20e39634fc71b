#include "media/win/FlashInstalled.h"

#include <windows.h>

#include <string>

#include "base/win/ScopedWin.h"

namespace saver::win {

bool FlashInstalled() {
  const std::wstring key_path = std::wstring(L"CLSID\\") + kFlashClassId + L"\\InprocServer32";
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key_path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  const ScopedRegKey key(opened);
  wchar_t server[257]{};  // 512 bytes of value and room for a terminator
  DWORD type = 0;
  DWORD bytes = sizeof server - sizeof(wchar_t);
  if (RegQueryValueExW(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(server), &bytes) != ERROR_SUCCESS)
    return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  const ScopedFile file(
      CreateFileW(server, 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.Valid();
}

}  // namespace saver::win
