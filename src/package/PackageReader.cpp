#include "package/PackageReader.h"

#include <new>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "app/ItemRegistry.h"
#include "package/ArchiveError.h"
#include "package/ArchiveReader.h"
#include "package/Signatures.h"
#include "scene/ImageItem.h"
#include "scene/ImageMeasurer.h"

namespace saver {
namespace {

constexpr double kNewestVersion = 4.81;

void ReadHeader(ArchiveReader& archive) {
  const std::string signature = archive.ReadString();
  const float version = archive.ReadFloat();
  archive.Versions().package = version;
  const bool is_b = signature == SAVER_SIGNATURE_B;
  if (!is_b && signature != SAVER_SIGNATURE_A) throw ArchiveError::BadSchema("unknown signature");
  // Widened to double, so the float nearest 4.81 passes and 4.82 fails. A NaN is refused too.
  if (!(static_cast<double>(version) <= kNewestVersion)) throw ArchiveError::BadSchema("version too new");
  if (is_b) archive.Versions().legacy = version;
}

void ReadItemRecords(ArchiveReader& archive, CItemRegistry& registry) {
  const std::uint32_t count = archive.ReadDword();
  for (std::uint32_t i = 0; i < count; ++i) {
    const auto type_id = static_cast<std::int32_t>(archive.ReadDword());
    const CSceneItem* prototype = registry.Prototype(type_id);
    if (prototype == nullptr) throw ArchiveError::BadSchema("unknown item type");
    std::unique_ptr<CSceneItem> item = prototype->Create();
    item->Load(archive);
    registry.Items().Append(std::move(item));
  }
}

bool IsResource(const CSceneItem& item) {
  return item.TypeId() == kImageItem || item.TypeId() == kMediaItem;
}

// One group per image or media item, in list order: the referrers' positions.
void ReadLinkSection(ArchiveReader& archive, CItemList& items) {
  for (const auto& resource : items) {
    if (!IsResource(*resource)) continue;
    const std::uint32_t referrer_count = archive.ReadDword();
    for (std::uint32_t i = 0; i < referrer_count; ++i) {
      const std::uint32_t position = archive.ReadDword();
      if (position >= items.Size()) throw ArchiveError::BadSchema("referrer outside the item list");
      CSceneItem& referrer = items.At(position);
      referrer.SetTarget(*resource);
      resource->AddReferrer(referrer);
    }
  }
}

bool ValidateInOrder(CItemRegistry& registry) {
  CItemList& items = registry.Items();
  for (std::size_t i = 0; i < items.Size(); ++i) items.At(i).SetIndex(static_cast<std::int32_t>(i));
  const ValidationContext context = registry.Context();
  if (context.measurer != nullptr) {
    std::vector<std::span<const std::uint8_t>> pictures;
    for (const auto& item : items) {
      if (item->TypeId() != kImageItem) continue;
      const auto bytes = static_cast<const CImageItem&>(*item).PictureToMeasure();
      if (!bytes.empty()) pictures.push_back(bytes);
    }
    context.measurer->MeasureAhead(pictures, std::thread::hardware_concurrency());
  }
  for (const auto& item : items) {
    if (!item->Validate(context)) return false;
  }
  return true;
}

}  // namespace

bool ReadPackage(ArchiveReader& archive, CItemRegistry& registry, std::uint32_t* reserved) {
  archive.Versions() = {};
  try {
    if (reserved != nullptr) *reserved = archive.ReadDword();
    ReadHeader(archive);
    ReadItemRecords(archive, registry);
    ReadLinkSection(archive, registry.Items());
  } catch (const ArchiveError&) {
    return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
  return ValidateInOrder(registry);
}

}  // namespace saver
