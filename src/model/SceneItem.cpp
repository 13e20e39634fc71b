#include "model/SceneItem.h"

#include <stdexcept>

#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"

namespace saver {

CSceneItem& CSceneItem::Copy(const CSceneItem& other) {
  if (other.type_id_ != type_id_) throw std::invalid_argument("Copy between items of different kinds");
  name_.Copy(other.name_);
  builder_value_ = other.builder_value_;
  return *this;
}

void CSceneItem::Load(CArchiveReader& archive) {
  name_.Load(archive);
  archive.Dword(builder_value_);
  archive.Dword(disabled_);
}

void CSceneItem::Save(CArchiveWriter& archive) const {
  name_.Save(archive);
  archive.Dword(builder_value_);
  archive.Dword(disabled_);
}

bool CSceneItem::Validate(const ValidationContext& context) { return name_.Validate(context); }

bool CSceneItem::ValidateHead(const ValidationContext& context) {
  return IsDisabled() != 0 || name_.Validate(context);
}

}  // namespace saver
