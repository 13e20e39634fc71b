#include "scene/ImageActionProperty.h"

#include "model/ItemFields.h"
#include "model/ValidationContext.h"
#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"
#include "scene/ImageItem.h"

namespace saver {

// The name is copied, never stored; the target comes from the link section.
template <typename Visitor>
void CImageActionProperty::Fields(Visitor&& fields) {
  fields.Properties(&CImageActionProperty::path, &CImageActionProperty::colour);
  fields.Unstored(&CImageActionProperty::name);
}

void CImageActionProperty::Copy(const CImageActionProperty& other) { Fields(CFieldCopy(*this, other)); }
void CImageActionProperty::Load(CArchiveReader& archive) { Fields(CFieldTransfer(archive, *this)); }
void CImageActionProperty::Save(CArchiveWriter& archive) const { Fields(CFieldTransfer(archive, *this)); }

bool CImageActionProperty::Validate(const ValidationContext& context) {
  if (!target.Validate(kImageItem, "You have to choose the image.", context.messages)) return false;
  return path.Validate(context) && colour.Validate(context);
}

CImageItem* CImageActionProperty::TargetImage() const {
  CSceneItem* item = target.Get();
  return item != nullptr && item->TypeId() == kImageItem ? static_cast<CImageItem*>(item) : nullptr;
}

}  // namespace saver
