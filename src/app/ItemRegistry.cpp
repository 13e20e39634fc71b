#include "app/ItemRegistry.h"

#include "desktop/LinkItem.h"
#include "media/MediaItem.h"
#include "media/PlayMediaItem.h"
#include "media/StopMediaItem.h"
#include "model/PackageItems.h"
#include "scene/DelayItem.h"
#include "scene/FillScreenItem.h"
#include "scene/HideImageItem.h"
#include "scene/ImageItem.h"
#include "scene/LineItem.h"
#include "scene/LoopEndItem.h"
#include "scene/LoopStartItem.h"
#include "scene/MoveImageItem.h"
#include "scene/ShowImageItem.h"
#include "scene/StringItem.h"

namespace saver {
namespace {

template <typename Kind>
std::unique_ptr<CSceneItem> Make() {
  return std::make_unique<Kind>();
}

// The item kinds by type id.
constexpr std::array<std::unique_ptr<CSceneItem> (*)(), kItemTypeCount> kKinds = {
    &Make<CImageItem>,      &Make<CShowImageItem>, &Make<CMoveImageItem>, &Make<CHideImageItem>,
    &Make<CDelayItem>,      &Make<CFillScreenItem>, &Make<CLoopStartItem>, &Make<CLoopEndItem>,
    &Make<CLineItem>,       &Make<CMediaItem>,     &Make<CPlayMediaItem>, &Make<CStopMediaItem>,
    &Make<CStringItem>,     &Make<CLinkItem>,
};

}  // namespace

CItemRegistry::CItemRegistry(UserMessages& messages, ImageMeasurer* measurer)
    : messages_(messages), measurer_(measurer) {
  for (std::size_t type = 0; type < kKinds.size(); ++type) prototypes_[type] = kKinds[type]();
}

CItemRegistry::~CItemRegistry() {
  for (auto& prototype : prototypes_) prototype.reset();
  items_.Clear();
}

const CSceneItem* CItemRegistry::Prototype(std::int32_t type_id) const {
  if (type_id < 0 || type_id >= kItemTypeCount) return nullptr;
  return prototypes_[static_cast<std::size_t>(type_id)].get();
}

bool ReadPackage(ArchiveReader& archive, CItemRegistry& registry, std::uint32_t* reserved) {
  CPackageItems content(registry, registry.Items(), registry.Context());
  return ReadPackage(archive, content, reserved);
}

}  // namespace saver
