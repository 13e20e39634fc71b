#pragma once
#include <cstdint>
#include <string>

#include "model/SceneItem.h"

namespace saver {

// Type 13: arms (or clears) the web link that a trigger key hands to the application.
class CLinkItem final : public CSceneItem {
 public:
  CLinkItem() : CSceneItem(kLinkItem) {}

  CSceneItem& Copy(const CSceneItem& other) override;
  // The clear flag, the trigger key, the link.
  void Load(CArchiveReader& archive) override;
  void Save(CArchiveWriter& archive) const override;
  bool Validate(const ValidationContext& context) override { return ValidateHead(context); }
  int Execute(CSceneRuntime& runtime, int& running_index) override;
  std::unique_ptr<CSceneItem> Create() const override { return std::make_unique<CLinkItem>(); }

  std::uint32_t clear = 0;        // nonzero: clears the link instead of arming it
  std::int32_t trigger_key = -1;  // 0 Enter, 1 F12, 2 Space, 3 any of them; others arm nothing
  std::string link = "http://";

 private:
  // The one list of the fields that Load and Save store and Copy copies.
  template <typename Visitor>
  static void Fields(Visitor&& fields);
};

}  // namespace saver
