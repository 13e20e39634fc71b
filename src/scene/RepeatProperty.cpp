#include "scene/RepeatProperty.h"

#include "model/ItemFields.h"
#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"

namespace saver {

// The label is copied, never stored; the pass count and jump target are running state.
template <typename Visitor>
void CRepeatProperty::Fields(Visitor&& fields) {
  fields.Dwords(&CRepeatProperty::repeat_count, &CRepeatProperty::endless);
  fields.Unstored(&CRepeatProperty::label);
}

void CRepeatProperty::Copy(const CRepeatProperty& other) { Fields(CFieldCopy(*this, other)); }
void CRepeatProperty::Load(CArchiveReader& archive) { Fields(CFieldTransfer(archive, *this)); }
void CRepeatProperty::Save(CArchiveWriter& archive) const { Fields(CFieldTransfer(archive, *this)); }

bool CRepeatProperty::Validate(const ValidationContext&) {
  passes = 0;
  return true;
}

}  // namespace saver
