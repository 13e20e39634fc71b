#pragma once
#include "scene/ImageActionItem.h"

namespace saver {

// Type 2: moves its target image step by step along its path.
class CMoveImageItem final : public CImageActionItem {
 public:
  CMoveImageItem() : CImageActionItem(kMoveImageItem) {}
  int Execute(CSceneRuntime& runtime, int& running_index) override;
  std::unique_ptr<CSceneItem> Create() const override { return std::make_unique<CMoveImageItem>(); }
};

}  // namespace saver
