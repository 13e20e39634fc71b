#include "media/MediaTarget.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "media/MediaItem.h"
#include "media/PlayMediaProperty.h"
#include "media/SwfFrameSize.h"

namespace saver {
namespace {

int Clamped(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

Rect Placed(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height) {
  return {Clamped(left), Clamped(top), Clamped(left + width), Clamped(top + height)};
}

// Fills in the movie's own size when the action gives none; false when the header has none either.
bool SizeFromMovie(CPlayMediaProperty& play, const CMediaItem& media) {
  if (play.width != 0 || play.height != 0) return true;
  std::vector<std::uint8_t> plain;  // the movie unscrambled while its header is read
  const std::span<const std::uint8_t> movie = media.data.Plain(plain);
  const auto size = ReadSwfFrameSize(movie.data(), movie.size());
  if (!size) return false;
  play.width = size->width;
  play.height = size->height;
  return true;
}

Rect FlashRect(CPlayMediaProperty& play, const CMediaItem& media, Size screen, bool exit_button_flag) {
  if (play.full_screen) {
    const int top = exit_button_flag ? kTestRunStripHeight : 0;
    return Placed(0, top, screen.width, screen.height);
  }
  if (!SizeFromMovie(play, media)) return Placed(0, 0, screen.width, screen.height);
  const std::int64_t half_width = std::max(play.width / 2, 1);
  const std::int64_t half_height = std::max(play.height / 2, 1);
  const std::int64_t left = play.centre_horizontally ? screen.width / 2 - half_width : play.x;
  const std::int64_t top = play.centre_vertically ? screen.height / 2 - half_height : play.y;
  return Placed(left, top, play.width, play.height);
}

}  // namespace

Rect MediaTargetRect(CPlayMediaProperty& play, const CMediaItem& media, Size screen, bool exit_button_flag) {
  if (media.kind == kMediaFlash) return FlashRect(play, media, screen, exit_button_flag);
  return Placed(play.x, play.y, play.width, play.height);
}

}  // namespace saver
