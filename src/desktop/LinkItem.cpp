#include "desktop/LinkItem.h"

#include "model/ItemFields.h"
#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"
#include "scene/SceneRuntime.h"

namespace saver {

template <typename Visitor>
void CLinkItem::Fields(Visitor&& fields) {
  fields.Dwords(&CLinkItem::clear, &CLinkItem::trigger_key);
  fields.String(&CLinkItem::link);
}

CSceneItem& CLinkItem::Copy(const CSceneItem& other) {
  CSceneItem::Copy(other);
  Fields(CFieldCopy(*this, dynamic_cast<const CLinkItem&>(other)));
  return *this;
}

void CLinkItem::Load(CArchiveReader& archive) {
  CSceneItem::Load(archive);
  Fields(CFieldTransfer(archive, *this));
}

void CLinkItem::Save(CArchiveWriter& archive) const {
  CSceneItem::Save(archive);
  Fields(CFieldTransfer(archive, *this));
}

int CLinkItem::Execute(CSceneRuntime& runtime, int&) {
  if (clear != 0) {
    runtime.ArmLink({}, -1);
  } else {
    runtime.ArmLink(link, trigger_key);
  }
  return 1;
}

}  // namespace saver
