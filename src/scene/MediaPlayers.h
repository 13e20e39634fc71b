#pragma once
#include <cstdint>

#include "imaging/Rect.h"

namespace saver {

class CMediaItem;

// How one start of a media item plays.
struct MediaStart {
  bool wait = false;  // returns when the media has played (or, for MIDI and Flash, the show stops)
  bool loop = false;  // repeats until stopped; only for starts that do not wait
  Rect rect;          // on the screen; the video players use only its top-left corner
  std::int32_t flash_time_limit = -1;  // milliseconds; -1 for none
};

// The players of a show, owned by the scene thread. Play-media and stop-media items start and stop
// their media item through them; the Win32 shell dispatches by media kind to the system's players.
class CMediaPlayers {
 public:
  virtual ~CMediaPlayers() = default;

  virtual Size ScreenSize() const = 0;
  // Set for a test run of the authoring tool: a 20-pixel strip at the top stays free.
  virtual bool ExitButtonFlag() const = 0;
  // False when nothing was played: muted, the player is missing, or the media could not be started.
  virtual bool Start(const CMediaItem& media, const MediaStart& start) = 0;
  virtual void Stop(const CMediaItem& media) = 0;
  // The end of the show, on the scene thread: every sound and movie the show started ends.
  virtual void ReleaseAll() = 0;
  // On the thread that ends the show, before it waits for the scene thread: cuts short a blocking
  // sound or video, which would otherwise hold the scene thread (a looping one for ever).
  virtual void Interrupt() = 0;
};

}  // namespace saver
