#pragma once
#include <cstdint>
#include <string>

namespace saver {

class CArchiveWriter;

struct PackageHeader {
  std::uint32_t reserved = 0;
  std::string signature;  // SAVER_SIGNATURE_A or SAVER_SIGNATURE_B (Signatures.h)
  float version = 4.81f;
};

// Writes the package's frame up to its items, reserved DWORD first: the header and the item
// count. The archive's versions are set to the ones the header selects, so the item records
// written next take the layout a reader of this header expects.
void WritePackageHeader(CArchiveWriter& archive, const PackageHeader& header, std::uint32_t item_count);

}  // namespace saver
