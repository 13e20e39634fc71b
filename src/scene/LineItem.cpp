#include "scene/LineItem.h"

#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"
#include "scene/ImageStage.h"
#include "scene/SceneRuntime.h"

namespace saver {

CSceneItem& CLineItem::Copy(const CSceneItem& other) {
  CSceneItem::Copy(other);
  const auto& line = dynamic_cast<const CLineItem&>(other);
  colour.Copy(line.colour);
  path.Copy(line.path);
  pen_style = line.pen_style;
  pen_width = line.pen_width;
  return *this;
}

void CLineItem::Load(ArchiveReader& archive) {
  CSceneItem::Load(archive);
  colour.Load(archive);
  path.Load(archive);
  archive.Dword(pen_style);
  archive.Dword(pen_width);
}

void CLineItem::Save(ArchiveWriter& archive) const {
  CSceneItem::Save(archive);
  colour.Save(archive);
  path.Save(archive);
  archive.Dword(pen_style);
  archive.Dword(pen_width);
}

bool CLineItem::Validate(const ValidationContext& context) {
  if (IsDisabled()) return true;
  return Name().Validate(context) && colour.Validate(context) && path.Validate(context);
}

int CLineItem::Execute(SceneRuntime& runtime, int&) {
  ImageStage* stage = runtime.Images();
  if (stage == nullptr) return 1;
  path.Compute({0, 0}, stage->Metrics(), runtime.SeedSources());
  colour.Draw(runtime.SeedSources());
  stage->Screen().DrawLine({path.start_x, path.start_y}, {path.end_x, path.end_y},
                           {pen_style, pen_width, colour.colour});
  return 1;
}

}  // namespace saver
