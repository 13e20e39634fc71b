#include "scene/StringItem.h"

#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"

namespace saver {

CSceneItem& CStringItem::Copy(const CSceneItem& other) {
  CSceneItem::Copy(other);
  text = dynamic_cast<const CStringItem&>(other).text;
  return *this;
}

void CStringItem::Load(ArchiveReader& archive) {
  CSceneItem::Load(archive);
  archive.ScrambledString(text);
}

void CStringItem::Save(ArchiveWriter& archive) const {
  CSceneItem::Save(archive);
  archive.ScrambledString(text);
}

}  // namespace saver
