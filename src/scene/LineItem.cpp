#include "scene/LineItem.h"

#include "model/ItemFields.h"
#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"
#include "scene/ImageStage.h"
#include "scene/SceneRuntime.h"

namespace saver {

template <typename Visitor>
void CLineItem::Fields(Visitor&& fields) {
  fields.Properties(&CLineItem::colour, &CLineItem::path);
  fields.Dwords(&CLineItem::pen_style, &CLineItem::pen_width);
}

CSceneItem& CLineItem::Copy(const CSceneItem& other) {
  CSceneItem::Copy(other);
  Fields(CFieldCopy(*this, dynamic_cast<const CLineItem&>(other)));
  return *this;
}

void CLineItem::Load(CArchiveReader& archive) {
  CSceneItem::Load(archive);
  Fields(CFieldTransfer(archive, *this));
}

void CLineItem::Save(CArchiveWriter& archive) const {
  CSceneItem::Save(archive);
  Fields(CFieldTransfer(archive, *this));
}

bool CLineItem::Validate(const ValidationContext& context) {
  if (IsDisabled()) return true;
  return Name().Validate(context) && colour.Validate(context) && path.Validate(context);
}

int CLineItem::Execute(CSceneRuntime& runtime, int&) {
  CImageStage* stage = runtime.Images();
  if (stage == nullptr) return 1;
  path.Compute({0, 0}, stage->Metrics(), runtime.SeedSources());
  colour.Draw(runtime.SeedSources());
  stage->Screen().DrawLine({path.start_x, path.start_y}, {path.end_x, path.end_y},
                           {pen_style, pen_width, colour.colour});
  return 1;
}

}  // namespace saver
