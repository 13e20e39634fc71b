#include "scene/ImageActionProperty.h"

#include "model/ValidationContext.h"
#include "scene/ImageItem.h"

namespace saver {

void CImageActionProperty::Copy(const CImageActionProperty& other) {
  name.Copy(other.name);
  path.Copy(other.path);
  colour.Copy(other.colour);
}

void CImageActionProperty::Load(ArchiveReader& archive) {
  path.Load(archive);
  colour.Load(archive);
}

void CImageActionProperty::Save(ArchiveWriter& archive) const {
  path.Save(archive);
  colour.Save(archive);
}

bool CImageActionProperty::Validate(const ValidationContext& context) {
  if (!target.Validate(kImageItem, "You have to choose the image.", context.messages)) return false;
  return path.Validate(context) && colour.Validate(context);
}

CImageItem* CImageActionProperty::TargetImage() const {
  CSceneItem* item = target.Get();
  return item != nullptr && item->TypeId() == kImageItem ? static_cast<CImageItem*>(item) : nullptr;
}

}  // namespace saver
