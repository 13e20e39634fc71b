#pragma once
#include "media/PlayMediaProperty.h"
#include "model/PropertyItem.h"

namespace saver {

// Type 11: stops its target media item; nothing but the head in the package.
class CStopMediaItem final : public CPropertyItem<CMediaTargetProperty> {
 public:
  CStopMediaItem() : CPropertyItem(kStopMediaItem) {}
  void SetTarget(CSceneItem& resource) override { Prop().target.Set(resource); }
  int Execute(CSceneRuntime& runtime, int& running_index) override;
  std::unique_ptr<CSceneItem> Create() const override { return std::make_unique<CStopMediaItem>(); }
};

}  // namespace saver
