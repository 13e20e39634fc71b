#include "scene/DelayProperty.h"

#include "model/ItemFields.h"
#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"

namespace saver {

// The label is copied, never stored.
template <typename Visitor>
void CDelayProperty::Fields(Visitor&& fields) {
  fields.Dwords(&CDelayProperty::duration, &CDelayProperty::random);
  fields.Unstored(&CDelayProperty::label);
}

void CDelayProperty::Copy(const CDelayProperty& other) { Fields(CFieldCopy(*this, other)); }
void CDelayProperty::Load(CArchiveReader& archive) { Fields(CFieldTransfer(archive, *this)); }
void CDelayProperty::Save(CArchiveWriter& archive) const { Fields(CFieldTransfer(archive, *this)); }

}  // namespace saver
