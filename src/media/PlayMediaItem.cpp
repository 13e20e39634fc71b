#include "media/PlayMediaItem.h"

#include "media/MediaItem.h"
#include "media/MediaTarget.h"
#include "scene/MediaPlayers.h"
#include "scene/SceneRuntime.h"

namespace saver {
namespace {

// A blocking start that played nothing would play nothing on every repetition; an endless series
// of them waits for the end of the show in sleep slices instead of spinning through it.
void WaitForStop(CSceneRuntime& runtime) {
  while (!runtime.StopRequested()) runtime.Sleep(kSleepSliceMs);
}

}  // namespace

int CPlayMediaItem::Execute(CSceneRuntime& runtime, int&) {
  CPlayMediaProperty& play = Prop();
  const CMediaItem* media = play.TargetMedia();
  CMediaPlayers* players = runtime.Media();
  if (media == nullptr || players == nullptr) return 1;

  MediaStart start;
  start.rect = MediaTargetRect(play, *media, players->ScreenSize(), players->ExitButtonFlag());
  start.flash_time_limit = play.time_limited ? static_cast<std::int32_t>(play.time_limit) : -1;
  if (!play.wait) {
    start.loop = play.loop != 0;
    players->Start(*media, start);
    return 1;
  }
  start.wait = true;
  // A time-limited movie ends by its timer; the stop clears the way for the next repetition.
  const bool stop_after_each = media->kind == kMediaFlash && play.time_limited;
  for (std::uint32_t count = 0; (play.repeat_forever || count < play.repeat_count) && !runtime.StopRequested();
       ++count) {
    const bool played = players->Start(*media, start);
    if (stop_after_each) players->Stop(*media);
    if (!played && play.repeat_forever) WaitForStop(runtime);
  }
  return 1;
}

}  // namespace saver
