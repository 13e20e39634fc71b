#include "scene/MoveImageItem.h"

namespace saver {

int CMoveImageItem::Execute(SceneRuntime&, int&) {
  return 0;  // The behaviour comes with the image drawing code.
}

}  // namespace saver
