#include "package/PackageWriter.h"

#include <stdexcept>

#include "model/ItemList.h"
#include "model/ResourceItem.h"
#include "package/ArchiveWriter.h"
#include "package/Signatures.h"

namespace saver {
namespace {

void WriteLinkSection(ArchiveWriter& archive, const CItemList& items) {
  for (const auto& item : items) {
    const auto* resource = dynamic_cast<const CResourceItem*>(item.get());
    if (resource == nullptr) continue;
    archive.WriteDword(static_cast<std::uint32_t>(resource->Referrers().size()));
    for (const CItemRef& referrer : resource->Referrers()) {
      const std::int32_t position = items.PositionOf(referrer.Item());
      if (position < 0) throw std::invalid_argument("a referrer is not in the item list");
      archive.WriteDword(static_cast<std::uint32_t>(position));
    }
  }
}

}  // namespace

void WritePackage(ArchiveWriter& archive, const PackageHeader& header, const CItemList& items) {
  archive.Versions().package = header.version;
  archive.Versions().legacy = header.signature == SAVER_SIGNATURE_B ? header.version : 0.0f;
  archive.WriteDword(header.reserved);
  archive.WriteString(header.signature);
  archive.WriteFloat(header.version);
  archive.WriteDword(static_cast<std::uint32_t>(items.Size()));
  for (const auto& item : items) {
    archive.WriteDword(static_cast<std::uint32_t>(item->TypeId()));
    item->Save(archive);
  }
  WriteLinkSection(archive, items);
}

void LinkAction(CSceneItem& resource, CSceneItem& action) {
  action.SetTarget(resource);
  resource.AddReferrer(action);
}

}  // namespace saver
