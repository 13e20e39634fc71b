#pragma once
#include <cstdint>
#include <string>

namespace saver {

class ArchiveWriter;
class CItemList;
class CSceneItem;

struct PackageHeader {
  std::uint32_t reserved = 0;
  std::string signature;  // SAVER_SIGNATURE_A or SAVER_SIGNATURE_B (Signatures.h)
  float version = 4.81f;
};

// Writes a whole package, reserved DWORD first: the header, every item in the layout the header's
// versions select, and the link section made from the resources' referrer lists. Throws
// std::invalid_argument when a referrer is not in `items`.
void WritePackage(ArchiveWriter& archive, const PackageHeader& header, const CItemList& items);

// Ties an action to its resource as the package's link section does.
void LinkAction(CSceneItem& resource, CSceneItem& action);

}  // namespace saver
