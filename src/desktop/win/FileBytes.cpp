#include "desktop/win/FileBytes.h"

#include "base/win/ScopedWin.h"

namespace saver::win {

bool WriteFileBytes(const std::wstring& path, std::span<const std::uint8_t> bytes) {
  if (bytes.size() > MAXDWORD) return false;
  ScopedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  const DWORD size = static_cast<DWORD>(bytes.size());
  DWORD written = 0;
  if (WriteFile(file.Get(), bytes.data(), size, &written, nullptr) && written == size) return true;
  file.Reset();
  DeleteFileW(path.c_str());  // no half-written picture for a reader to stumble on
  return false;
}

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::wstring& path, std::uint64_t max_bytes) {
  ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
      static_cast<std::uint64_t>(size.QuadPart) > max_bytes || size.QuadPart > MAXDWORD) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())
    return std::nullopt;
  return bytes;
}

bool FileExists(const std::wstring& path) {
  if (path.empty()) return false;
  ScopedFile file(
      CreateFileW(path.c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.Valid();
}

}  // namespace saver::win
