#include "package/PackageWriter.h"

#include "package/ArchiveWriter.h"
#include "package/Signatures.h"

namespace saver {

void WritePackageHeader(CArchiveWriter& archive, const PackageHeader& header, std::uint32_t item_count) {
  archive.Versions().package = header.version;
  archive.Versions().legacy = header.signature == SAVER_SIGNATURE_B ? header.version : 0.0f;
  archive.WriteDword(header.reserved);
  archive.WriteString(header.signature);
  archive.WriteFloat(header.version);
  archive.WriteDword(item_count);
}

}  // namespace saver
