#include "scene/HideImageItem.h"

namespace saver {

int CHideImageItem::Execute(SceneRuntime&, int&) {
  return 0;  // The behaviour comes with the image drawing code.
}

}  // namespace saver
