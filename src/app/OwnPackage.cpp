#include "app/OwnPackage.h"

#include "app/ItemRegistry.h"
#include "package/ArchiveReader.h"
#include "package/EngineLayout.h"

namespace saver {

bool ReadOwnPackage(std::shared_ptr<const CByteSource> file, CItemRegistry& registry, OwnPackageHeader& header,
                    Utf16ToAnsi to_ansi) {
  if (file == nullptr || file->Memory() == nullptr || file->Size() <= kPackageOffset) return false;
  header.exit_button_flag = file->Memory()[file->Size() - 1];
  // The package runs from the offset to the end; the trailer behind it is never read.
  CArchiveReader archive(std::move(file), kPackageOffset, to_ansi);
  return ReadPackage(archive, registry, &header.reserved);
}

}  // namespace saver
