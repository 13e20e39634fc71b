#include "model/PackageItems.h"

#include <stdexcept>

#include "model/ItemFactory.h"
#include "model/ItemList.h"
#include "model/ResourceItem.h"
#include "package/ArchiveError.h"
#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"

namespace saver {

CPackageItems::CPackageItems(const CItemFactory& factory, CItemList& items, const ValidationContext& context)
    : factory_(factory), items_(items), context_(context) {}

void CPackageItems::ReadItem(CArchiveReader& archive, std::int32_t type_id) {
  const CSceneItem* prototype = factory_.Prototype(type_id);
  if (prototype == nullptr) throw CArchiveError::BadSchema("unknown item type");
  std::unique_ptr<CSceneItem> item = prototype->Create();
  item->Load(archive);
  items_.Append(std::move(item));
}

// One group per image or media item, in list order: the referrers' positions.
void CPackageItems::ReadLinkSection(CArchiveReader& archive) {
  for (const auto& item : items_) {
    auto* resource = dynamic_cast<CResourceItem*>(item.get());
    if (resource == nullptr) continue;
    const std::uint32_t referrer_count = archive.ReadDword();
    for (std::uint32_t i = 0; i < referrer_count; ++i) {
      const std::uint32_t position = archive.ReadDword();
      if (position >= items_.Size()) throw CArchiveError::BadSchema("referrer outside the item list");
      LinkAction(*resource, items_.At(position));
    }
  }
}

bool CPackageItems::Validate() {
  for (std::size_t i = 0; i < items_.Size(); ++i) items_.At(i).SetIndex(static_cast<std::int32_t>(i));
  for (const auto& item : items_) {
    if (!item->Validate(context_)) return false;
  }
  return true;
}

namespace {

void WriteLinkSection(CArchiveWriter& archive, const CItemList& items) {
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

void WritePackage(CArchiveWriter& archive, const PackageHeader& header, const CItemList& items) {
  WritePackageHeader(archive, header, static_cast<std::uint32_t>(items.Size()));
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
