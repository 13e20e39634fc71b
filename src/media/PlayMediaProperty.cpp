#include "media/PlayMediaProperty.h"

#include "media/MediaItem.h"
#include "model/ValidationContext.h"
#include "package/ArchiveReader.h"
#include "package/ArchiveWriter.h"

namespace saver {

bool CMediaTargetProperty::Validate(const ValidationContext& context) {
  return target.Validate(kMediaItem, kNoMediaMessage, context.messages);
}

CMediaItem* CMediaTargetProperty::TargetMedia() const {
  CSceneItem* item = target.Get();
  return item != nullptr && item->TypeId() == kMediaItem ? static_cast<CMediaItem*>(item) : nullptr;
}

void CPlayMediaProperty::Copy(const CPlayMediaProperty& other) {
  const CItemTarget own_target = target;
  *this = other;
  target = own_target;
}

template <typename Archive, typename Self>
void CPlayMediaProperty::Transfer(Archive& archive, Self& self) {
  const float legacy = archive.Versions().legacy;
  const bool current_layout = legacy == 0.0f;
  const bool with_position = current_layout || legacy >= 2.1f;
  const bool with_play_flags = with_position || legacy > 0.0f;
  if (with_play_flags) {
    archive.Dword(self.repeat_count);
    archive.Dword(self.repeat_forever);
    archive.Dword(self.wait);
    archive.Dword(self.loop);
  }
  if (with_position) {
    archive.Dword(self.x);
    archive.Dword(self.y);
  }
  if (current_layout) {
    archive.Dword(self.width);
    archive.Dword(self.height);
    archive.Dword(self.centre_horizontally);
    archive.Dword(self.centre_vertically);
    archive.Dword(self.full_screen);
  }
  if (current_layout && archive.Versions().package > 4.11f) {
    archive.Dword(self.time_limited);
    archive.Dword(self.time_limit);
  }
}

void CPlayMediaProperty::Load(CArchiveReader& archive) { Transfer(archive, *this); }
void CPlayMediaProperty::Save(CArchiveWriter& archive) const { Transfer(archive, *this); }

}  // namespace saver
