#include "scene/ShowImageItem.h"

namespace saver {

int CShowImageItem::Execute(SceneRuntime&, int&) {
  return 0;  // The behaviour comes with the image drawing code.
}

}  // namespace saver
