#pragma once
#include "model/PropertyItem.h"
#include "scene/DelayProperty.h"

namespace saver {

// Type 4: waits a fixed or random number of milliseconds.
class CDelayItem final : public CPropertyItem<CDelayProperty> {
 public:
  CDelayItem() : CPropertyItem(kDelayItem) {}
  // Defined with the scene thread's timeline, in DelayItemExecute.cpp.
  int Execute(CSceneRuntime& runtime, int& running_index) override;
  std::unique_ptr<CSceneItem> Create() const override { return std::make_unique<CDelayItem>(); }
};

}  // namespace saver
