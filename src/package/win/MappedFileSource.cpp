#include "package/win/MappedFileSource.h"

#include <cstring>

namespace saver::win {

std::shared_ptr<const CMappedFileSource> CMappedFileSource::Map(const std::wstring& path) {
  ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 ||
      static_cast<unsigned long long>(size.QuadPart) > SIZE_MAX)
    return nullptr;
  // The view stays valid when the mapping's and the file's handles are closed.
  ScopedHandle mapping(CreateFileMappingW(file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping) return nullptr;
  ScopedMappedView view(MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 0));
  if (!view) return nullptr;
  return std::make_shared<const CMappedFileSource>(std::move(view), static_cast<std::uint64_t>(size.QuadPart));
}

void CMappedFileSource::Read(std::uint64_t offset, std::span<std::uint8_t> out) const {
  if (!out.empty()) std::memcpy(out.data(), Memory() + offset, out.size());
}

}  // namespace saver::win
