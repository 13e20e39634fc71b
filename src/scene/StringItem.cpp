#include "scene/StringItem.h"

#include "model/ItemFields.h"
#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"

namespace saver {

template <typename Visitor>
void CStringItem::Fields(Visitor&& fields) {
  fields.String(&CStringItem::text);
}

CSceneItem& CStringItem::Copy(const CSceneItem& other) {
  CSceneItem::Copy(other);
  Fields(CFieldCopy(*this, dynamic_cast<const CStringItem&>(other)));
  return *this;
}

void CStringItem::Load(CArchiveReader& archive) {
  CSceneItem::Load(archive);
  Fields(CFieldTransfer(archive, *this));
}

void CStringItem::Save(CArchiveWriter& archive) const {
  CSceneItem::Save(archive);
  Fields(CFieldTransfer(archive, *this));
}

}  // namespace saver
