#pragma once
#include "scene/ImageActionItem.h"

namespace saver {

// Type 3: removes its target image from the screen again.
class CHideImageItem final : public CImageActionItem {
 public:
  CHideImageItem() : CImageActionItem(kHideImageItem) {}
  int Execute(CSceneRuntime& runtime, int& running_index) override;
  std::unique_ptr<CSceneItem> Create() const override { return std::make_unique<CHideImageItem>(); }
};

}  // namespace saver
