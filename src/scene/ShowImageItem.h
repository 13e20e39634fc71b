#pragma once
#include "scene/ImageActionItem.h"

namespace saver {

// Type 1: puts its target image on the screen, directly, through a transition or typed out.
class CShowImageItem final : public CImageActionItem {
 public:
  CShowImageItem() : CImageActionItem(kShowImageItem) {}
  int Execute(CSceneRuntime& runtime, int& running_index) override;
  std::unique_ptr<CSceneItem> Create() const override { return std::make_unique<CShowImageItem>(); }
};

}  // namespace saver
