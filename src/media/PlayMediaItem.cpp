#include "media/PlayMediaItem.h"

namespace saver {

int CPlayMediaItem::Execute(SceneRuntime&, int&) {
  return 0;  // The behaviour comes with the media players.
}

}  // namespace saver
