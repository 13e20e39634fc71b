#include "media/StopMediaItem.h"

namespace saver {

int CStopMediaItem::Execute(SceneRuntime&, int&) {
  return 0;  // The behaviour comes with the media players.
}

}  // namespace saver
