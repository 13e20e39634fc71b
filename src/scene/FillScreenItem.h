#pragma once
#include "model/ColorProperty.h"
#include "model/PropertyItem.h"

namespace saver {

// Type 5: fills the saver window with a colour.
class CFillScreenItem final : public CPropertyItem<CColorProperty> {
 public:
  CFillScreenItem() : CPropertyItem(kFillScreenItem) {}
  // Defined with the scene thread's timeline, in FillScreenItemExecute.cpp.
  int Execute(CSceneRuntime& runtime, int& running_index) override;
  std::unique_ptr<CSceneItem> Create() const override { return std::make_unique<CFillScreenItem>(); }
};

}  // namespace saver
