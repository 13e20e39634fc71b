#include "scene/HideImageItem.h"

#include "scene/ImageItem.h"
#include "scene/ImageStage.h"
#include "scene/SceneRuntime.h"

namespace saver {

// An image that is not shown is left alone, so a second hide restores nothing.
int CHideImageItem::Execute(CSceneRuntime& runtime, int&) {
  CImageStage* stage = nullptr;
  CImageItem* image = nullptr;
  if (!FindStageAndImage(runtime, stage, image) || image->shown == 0) return 1;
  if (image->placement.save_background == 0) {
    image->Erase(*stage);
    return 1;
  }
  image->DrawSavedBackground(*stage);
  image->saved_background = {};
  image->shown = 0;
  return 1;
}

}  // namespace saver
