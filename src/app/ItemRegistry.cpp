#include "app/ItemRegistry.h"

#include <span>
#include <thread>
#include <vector>

#include "desktop/LinkItem.h"
#include "media/MediaItem.h"
#include "media/PlayMediaItem.h"
#include "media/StopMediaItem.h"
#include "model/PackageItems.h"
#include "scene/DelayItem.h"
#include "scene/FillScreenItem.h"
#include "scene/HideImageItem.h"
#include "scene/ImageItem.h"
#include "scene/ImageMeasurer.h"
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

// The registry's items as the package reader meets them: before validation, which measures every
// picture in item order, the pictures are measured ahead on all cores.
class CRegistryContent final : public CPackageItems {
 public:
  explicit CRegistryContent(CItemRegistry& registry)
      : CPackageItems(registry, registry.Items(), registry.Context()), registry_(registry) {}

  bool Validate() override {
    if (CImageMeasurer* measurer = registry_.Context().measurer) {
      std::vector<const CStoredBytes*> pictures;
      for (const auto& item : registry_.Items()) {
        if (item->TypeId() != kImageItem) continue;
        if (const CStoredBytes* bytes = static_cast<const CImageItem&>(*item).PictureToMeasure()) pictures.push_back(bytes);
      }
      measurer->MeasureAhead(pictures, std::thread::hardware_concurrency());
    }
    return CPackageItems::Validate();
  }

 private:
  CItemRegistry& registry_;
};

}  // namespace

CItemRegistry::CItemRegistry(CUserMessages& messages, CImageMeasurer* measurer)
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

bool ReadPackage(CArchiveReader& archive, CItemRegistry& registry, std::uint32_t* reserved) {
  CRegistryContent content(registry);
  return ReadPackage(archive, content, reserved);
}

}  // namespace saver
