#include "media/StopMediaItem.h"

#include "scene/MediaPlayers.h"
#include "scene/SceneRuntime.h"

namespace saver {

int CStopMediaItem::Execute(CSceneRuntime& runtime, int&) {
  const CMediaItem* media = Prop().TargetMedia();
  CMediaPlayers* players = runtime.Media();
  if (media != nullptr && players != nullptr) players->Stop(*media);
  return 1;
}

}  // namespace saver
