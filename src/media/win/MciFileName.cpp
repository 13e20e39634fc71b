#include "media/win/MciFileName.h"

#include <windows.h>

namespace saver::win {
namespace {

bool AnsiSpells(const std::wstring& name) {
  if (name.empty()) return true;
  BOOL lossy = FALSE;
  const int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.c_str(), static_cast<int>(name.size()),
                                        nullptr, 0, nullptr, &lossy);
  return bytes > 0 && !lossy;
}

std::wstring ShortForm(const std::wstring& name) {
  const DWORD length = GetShortPathNameW(name.c_str(), nullptr, 0);
  if (length == 0) return {};
  std::wstring short_name(length, L'\0');
  const DWORD written = GetShortPathNameW(name.c_str(), short_name.data(), length);
  if (written == 0 || written >= length) return {};
  short_name.resize(written);
  return short_name;
}

}  // namespace

std::wstring MciFileName(const std::wstring& file_name) {
  if (AnsiSpells(file_name)) return file_name;
  std::wstring short_name = ShortForm(file_name);
  return !short_name.empty() && AnsiSpells(short_name) ? short_name : file_name;
}

}  // namespace saver::win
