#pragma once
#include "model/PropertyItem.h"
#include "scene/ImageActionProperty.h"
#include "scene/SceneRuntime.h"

namespace saver {

class CImageStage;

// What show, move and hide actions share: the standard trio over their property, and the target.
class CImageActionItem : public CPropertyItem<CImageActionProperty> {
 public:
  using CPropertyItem::CPropertyItem;
  void SetTarget(CSceneItem& resource) override { Prop().target.Set(resource); }

 protected:
  // What an action acts with: the show's screen and its target image. False (the action then
  // does nothing) when the show has no screen or the target is not an image.
  bool FindStageAndImage(CSceneRuntime& runtime, CImageStage*& stage, CImageItem*& image) {
    stage = runtime.Images();
    image = Prop().TargetImage();
    return stage != nullptr && image != nullptr;
  }
};

}  // namespace saver
