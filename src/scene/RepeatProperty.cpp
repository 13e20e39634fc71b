#include "scene/RepeatProperty.h"

#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"

namespace saver {

void CRepeatProperty::Copy(const CRepeatProperty& other) {
  label.Copy(other.label);
  repeat_count = other.repeat_count;
  endless = other.endless;
}

template <typename Archive, typename Self>
void CRepeatProperty::Transfer(Archive& archive, Self& self) {
  archive.Dword(self.repeat_count);
  archive.Dword(self.endless);
}

void CRepeatProperty::Load(ArchiveReader& archive) { Transfer(archive, *this); }
void CRepeatProperty::Save(ArchiveWriter& archive) const { Transfer(archive, *this); }

bool CRepeatProperty::Validate(const ValidationContext&) {
  passes = 0;
  return true;
}

}  // namespace saver
