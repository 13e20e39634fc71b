#pragma once
#include <cstdint>

#include "model/ItemProperty.h"
#include "model/ItemTarget.h"

namespace saver {

class CMediaItem;

// The target media item of a play or stop action: must be a media item.
class CMediaTargetProperty : public CItemProperty {
 public:
  void Copy(const CMediaTargetProperty&) {}  // the target is linked, never copied
  void Load(CArchiveReader&) override {}
  void Save(CArchiveWriter&) const override {}
  bool Validate(const ValidationContext& context) override;

  // The target when it is a media item, else null.
  CMediaItem* TargetMedia() const;

  CItemTarget target;
};

// How a play-media action plays its target.
class CPlayMediaProperty final : public CMediaTargetProperty {
 public:
  void Copy(const CPlayMediaProperty& other);
  // The fields read depend on the legacy version: all of them at 0 (the time limit only above
  // package version 4.11), up to the position from 2.1, the four play flags below 2.1.
  void Load(CArchiveReader& archive) override;
  void Save(CArchiveWriter& archive) const override;

  std::uint32_t repeat_count = 1;
  std::uint32_t repeat_forever = 0;
  std::uint32_t wait = 0;  // play to the end before the show goes on
  std::uint32_t loop = 0;  // used when wait is clear
  std::int32_t x = 0, y = 0;
  std::int32_t width = 0, height = 0;  // a Flash movie's window; 0 and 0: the movie's own size
  std::uint32_t centre_horizontally = 0, centre_vertically = 0;
  std::uint32_t full_screen = 0;
  std::uint32_t time_limited = 0;
  std::uint32_t time_limit = 1000;  // milliseconds, Flash movies

 private:
  template <typename Archive, typename Self>
  static void Transfer(Archive& archive, Self& self);
};

}  // namespace saver
