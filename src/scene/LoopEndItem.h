#pragma once
#include "model/PropertyItem.h"
#include "scene/RepeatProperty.h"

namespace saver {

// Type 7: repeats the stretch back to the matching loop start.
class CLoopEndItem final : public CPropertyItem<CRepeatProperty> {
 public:
  CLoopEndItem() : CPropertyItem(kLoopEndItem) {}
  // Finds the matching loop start (nesting counted, disabled flags ignored) and sets the jump
  // target behind it. A loop end with no loop start to match fails.
  bool Validate(const ValidationContext& context) override;
  // Defined with the scene thread's timeline, in LoopEndItemExecute.cpp.
  int Execute(CSceneRuntime& runtime, int& running_index) override;
  std::unique_ptr<CSceneItem> Create() const override { return std::make_unique<CLoopEndItem>(); }
};

}  // namespace saver
