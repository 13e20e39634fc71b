#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/ResourceItem.h"
#include "package/StoredBytes.h"

namespace saver {

// Media kinds of a media item.
enum MediaKind : std::uint32_t { kMediaWav = 0, kMediaAvi = 1, kMediaMP3 = 2, kMediaFlash = 3, kMediaMidi = 4 };

// String 34023, shown when a media item or a media action lacks its media.
inline constexpr std::string_view kNoMediaMessage = "You have to choose the media.";

// Type 9: a resource holding one embedded media file and its kind.
class CMediaItem final : public CResourceItem {
 public:
  CMediaItem() : CResourceItem(kMediaItem) {}

  // The head, the data (duplicated), the file name and the kind.
  CSceneItem& Copy(const CSceneItem& other) override;
  // Byte count; when nonzero the file name, the kind (legacy version 0 or at least 2.0 only;
  // older packages carry none and play as WAV), then the bytes.
  void Load(CArchiveReader& archive) override;
  void Save(CArchiveWriter& archive) const override;
  // Fails without data unless it and every action targeting it are disabled.
  bool Validate(const ValidationContext& context) override;
  int Execute(CSceneRuntime&, int&) override { return 0; }
  std::unique_ptr<CSceneItem> Create() const override { return std::make_unique<CMediaItem>(); }

  CStoredBytes data;     // the file's bytes; empty when the item carries none
  std::string file_name;           // recorded by the authoring tool; playback does not use it
  std::uint32_t kind = kMediaWav;

 private:
  // The one list of the fields that Load and Save store and Copy copies.
  template <typename Visitor>
  static void Fields(Visitor&& fields);
};

}  // namespace saver
