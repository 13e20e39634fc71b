#pragma once
#include "media/PlayMediaProperty.h"
#include "model/PropertyItem.h"

namespace saver {

// Type 10: starts its target media item once, a number of times or endlessly.
class CPlayMediaItem final : public CPropertyItem<CPlayMediaProperty> {
 public:
  CPlayMediaItem() : CPropertyItem(kPlayMediaItem) {}
  void SetTarget(CSceneItem& resource) override { Prop().target.Set(resource); }
  int Execute(CSceneRuntime& runtime, int& running_index) override;
  std::unique_ptr<CSceneItem> Create() const override { return std::make_unique<CPlayMediaItem>(); }
};

}  // namespace saver
