#include "render/UnrenderedItems.h"

#include "scene/ImageActionItem.h"
#include "scene/ImageItem.h"

namespace saver::tool {

UnrenderedItems DisableUnrenderableActions(const CItemList& items) {
  UnrenderedItems left_out;
  for (std::size_t i = 0; i < items.Size(); ++i) {
    CSceneItem& item = items.At(i);
    if (item.IsDisabled()) continue;
    if (item.TypeId() == kPlayMediaItem || item.TypeId() == kStopMediaItem) ++left_out.media_actions;
    auto* action = dynamic_cast<CImageActionItem*>(&item);
    const CImageItem* image = action != nullptr ? action->Prop().TargetImage() : nullptr;
    if (image == nullptr) continue;
    if (image->IsText()) {
      ++left_out.text_actions;
    } else if (image->source_mode == CImageItem::kSourceDesktop || image->source_mode == CImageItem::kSourceWallpaper) {
      ++left_out.snapshot_actions;
    } else {
      continue;
    }
    item.SetDisabled(1);
  }
  return left_out;
}

}  // namespace saver::tool
