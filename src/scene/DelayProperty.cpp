#include "scene/DelayProperty.h"

#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"

namespace saver {

void CDelayProperty::Copy(const CDelayProperty& other) {
  label.Copy(other.label);
  duration = other.duration;
  random = other.random;
}

template <typename Archive, typename Self>
void CDelayProperty::Transfer(Archive& archive, Self& self) {
  archive.Dword(self.duration);
  archive.Dword(self.random);
}

void CDelayProperty::Load(ArchiveReader& archive) { Transfer(archive, *this); }
void CDelayProperty::Save(ArchiveWriter& archive) const { Transfer(archive, *this); }

}  // namespace saver
