#include "model/NameProperty.h"

#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"

namespace saver {

void CNameProperty::Load(ArchiveReader& archive) { archive.ScrambledString(text_); }
void CNameProperty::Save(ArchiveWriter& archive) const { archive.ScrambledString(text_); }

}  // namespace saver
