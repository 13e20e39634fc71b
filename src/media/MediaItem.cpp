#include "media/MediaItem.h"

#include "base/UserMessages.h"
#include "model/ValidationContext.h"
#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"

namespace saver {

CSceneItem& CMediaItem::Copy(const CSceneItem& other) {
  CSceneItem::Copy(other);
  const auto& media = dynamic_cast<const CMediaItem&>(other);
  data = media.data;
  file_name = media.file_name;
  kind = media.kind;
  return *this;
}

template <typename Archive, typename Self>
void CMediaItem::Transfer(Archive& archive, Self& self) {
  auto byte_count = static_cast<std::uint32_t>(self.data.size());
  archive.Dword(byte_count);
  if (byte_count == 0) return;
  archive.ScrambledString(self.file_name);
  const float legacy = archive.Versions().legacy;
  if (legacy == 0.0f || legacy >= 2.0f) archive.Dword(self.kind);
  archive.ScrambledBytes(self.data, byte_count);
}

void CMediaItem::Load(ArchiveReader& archive) {
  CSceneItem::Load(archive);
  Transfer(archive, *this);
}

void CMediaItem::Save(ArchiveWriter& archive) const {
  CSceneItem::Save(archive);
  Transfer(archive, *this);
}

bool CMediaItem::Validate(const ValidationContext& context) {
  if (!NeedsValidation()) return true;
  if (!data.empty()) return true;
  context.messages.ShowError(kNoMediaMessage);
  return false;
}

}  // namespace saver
