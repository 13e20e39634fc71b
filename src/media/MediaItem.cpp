#include "media/MediaItem.h"

#include "base/UserMessages.h"
#include "model/ItemFields.h"
#include "model/ValidationContext.h"
#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"

namespace saver {

// The kind is stored at legacy version 0 or from 2.0; older packages play as WAV.
template <typename Visitor>
void CMediaItem::Fields(Visitor&& fields) {
  using M = CMediaItem;
  const std::uint32_t byte_count = fields.ByteCount(&M::data);
  if (!fields.Includes(byte_count != 0)) return;
  fields.String(&M::file_name);
  const float legacy = fields.Versions().legacy;
  if (fields.Includes(legacy == 0.0f || legacy >= 2.0f)) fields.Dwords(&M::kind);
  fields.Bytes(&M::data, byte_count);
}

CSceneItem& CMediaItem::Copy(const CSceneItem& other) {
  CResourceItem::Copy(other);
  Fields(CFieldCopy(*this, dynamic_cast<const CMediaItem&>(other)));
  return *this;
}

void CMediaItem::Load(CArchiveReader& archive) {
  CResourceItem::Load(archive);
  Fields(CFieldTransfer(archive, *this));
}

void CMediaItem::Save(CArchiveWriter& archive) const {
  CResourceItem::Save(archive);
  Fields(CFieldTransfer(archive, *this));
}

bool CMediaItem::Validate(const ValidationContext& context) {
  if (!NeedsValidation()) return true;
  if (!data.empty()) return true;
  context.messages.ShowError(kNoMediaMessage);
  return false;
}

}  // namespace saver
