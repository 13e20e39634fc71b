#pragma once
#include <string>

#include "model/SceneItem.h"

namespace saver {

// Type 12: holds one string; nothing in the show reads it.
class CStringItem final : public CSceneItem {
 public:
  CStringItem() : CSceneItem(kStringItem) {}

  CSceneItem& Copy(const CSceneItem& other) override;
  void Load(CArchiveReader& archive) override;
  void Save(CArchiveWriter& archive) const override;
  bool Validate(const ValidationContext& context) override { return ValidateHead(context); }
  int Execute(CSceneRuntime&, int&) override { return 0; }
  std::unique_ptr<CSceneItem> Create() const override { return std::make_unique<CStringItem>(); }

  std::string text;

 private:
  // The one list of the fields that Load and Save store and Copy copies.
  template <typename Visitor>
  static void Fields(Visitor&& fields);
};

}  // namespace saver
