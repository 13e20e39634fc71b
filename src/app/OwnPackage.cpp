#include "app/OwnPackage.h"

#include "app/ItemRegistry.h"
#include "package/ArchiveReader.h"
#include "package/EngineLayout.h"

namespace saver {

bool ReadOwnPackage(const std::uint8_t* file, std::size_t size, CItemRegistry& registry, OwnPackageHeader& header,
                    Utf16ToAnsi to_ansi) {
  if (file == nullptr || size <= kPackageOffset) return false;
  header.exit_button_flag = file[size - 1];
  // The package runs from the offset to the end; the trailer behind it is never read.
  ArchiveReader archive(file + kPackageOffset, size - kPackageOffset, to_ansi);
  return ReadPackage(archive, registry, &header.reserved);
}

}  // namespace saver
