#include "app/OwnPackage.h"

#include "package/ArchiveReader.h"
#include "package/EngineLayout.h"
#include "package/PackageReader.h"

namespace saver {

bool ReadOwnPackage(std::istream& file, CItemRegistry& registry, OwnPackageHeader& header, Utf16ToAnsi to_ansi) {
  file.seekg(0, std::ios::end);
  const std::streamoff size = file.tellg();
  // The package needs at least its reserved DWORD behind the engine, and the flag byte after it.
  if (!file || size <= static_cast<std::streamoff>(kPackageOffset)) return false;
  file.seekg(size - 1);
  const int last = file.get();
  if (last == std::char_traits<char>::eof()) return false;
  header.exit_button_flag = static_cast<std::uint8_t>(last);
  file.seekg(kPackageOffset);
  if (!file) return false;
  ArchiveReader archive(file, to_ansi);
  return ReadPackage(archive, registry, &header.reserved);
}

}  // namespace saver
