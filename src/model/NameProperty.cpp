#include "model/NameProperty.h"

#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"

namespace saver {

void CNameProperty::Load(CArchiveReader& archive) { archive.ScrambledString(text_); }
void CNameProperty::Save(CArchiveWriter& archive) const { archive.ScrambledString(text_); }

}  // namespace saver
