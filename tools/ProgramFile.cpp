#include "ProgramFile.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

namespace saver::tool {

std::filesystem::path ProgramFile() {
#ifdef _WIN32
  std::vector<wchar_t> name(32768);
  const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
  if (length == 0 || length >= name.size()) return {};
  return std::filesystem::path(std::wstring(name.data(), length));
#else
  std::error_code error;
  std::filesystem::path file = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : file;
#endif
}

}  // namespace saver::tool
