#include "desktop/LinkItem.h"

#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"
#include "scene/SceneRuntime.h"

namespace saver {

CSceneItem& CLinkItem::Copy(const CSceneItem& other) {
  CSceneItem::Copy(other);
  const auto& item = dynamic_cast<const CLinkItem&>(other);
  clear = item.clear;
  trigger_key = item.trigger_key;
  link = item.link;
  return *this;
}

template <typename Archive, typename Self>
void CLinkItem::Transfer(Archive& archive, Self& self) {
  archive.Dword(self.clear);
  archive.Dword(self.trigger_key);
  archive.ScrambledString(self.link);
}

void CLinkItem::Load(ArchiveReader& archive) {
  CSceneItem::Load(archive);
  Transfer(archive, *this);
}

void CLinkItem::Save(ArchiveWriter& archive) const {
  CSceneItem::Save(archive);
  Transfer(archive, *this);
}

int CLinkItem::Execute(SceneRuntime& runtime, int&) {
  if (clear != 0) {
    runtime.ArmLink({}, -1);
  } else {
    runtime.ArmLink(link, trigger_key);
  }
  return 1;
}

}  // namespace saver
