#pragma once
#include "model/SceneItem.h"

namespace saver {

// Type 6: marks where a repeated stretch begins; the head only.
class CLoopStartItem final : public CSceneItem {
 public:
  CLoopStartItem() : CSceneItem(kLoopStartItem) {}
  bool Validate(const ValidationContext& context) override { return ValidateHead(context); }
  // Defined with the scene thread's timeline, in LoopStartItemExecute.cpp.
  int Execute(CSceneRuntime& runtime, int& running_index) override;
  std::unique_ptr<CSceneItem> Create() const override { return std::make_unique<CLoopStartItem>(); }
};

}  // namespace saver
