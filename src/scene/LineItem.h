#pragma once
#include <cstdint>

#include "model/ColorProperty.h"
#include "model/SceneItem.h"
#include "scene/PathProperty.h"

namespace saver {

// Type 8: draws a straight line between its path's two points.
class CLineItem final : public CSceneItem {
 public:
  CLineItem() : CSceneItem(kLineItem) {}

  CSceneItem& Copy(const CSceneItem& other) override;
  // The colour, the path, the pen style, the pen width.
  void Load(CArchiveReader& archive) override;
  void Save(CArchiveWriter& archive) const override;
  bool Validate(const ValidationContext& context) override;
  int Execute(CSceneRuntime& runtime, int& running_index) override;
  std::unique_ptr<CSceneItem> Create() const override { return std::make_unique<CLineItem>(); }

  CPathProperty path;
  CColorProperty colour;
  std::uint32_t pen_style = 0;  // a Windows pen style; 0 solid
  std::uint32_t pen_width = 1;

 private:
  // The one list of the fields that Load and Save store and Copy copies.
  template <typename Visitor>
  static void Fields(Visitor&& fields);
};

}  // namespace saver
