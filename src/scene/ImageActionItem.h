#pragma once
#include "app/PropertyItem.h"
#include "scene/ImageActionProperty.h"

namespace saver {

// What show, move and hide actions share: the standard trio over their property, and the target.
class CImageActionItem : public CPropertyItem<CImageActionProperty> {
 public:
  using CPropertyItem::CPropertyItem;
  void SetTarget(CSceneItem& resource) override { Prop().target.Set(resource); }
};

}  // namespace saver
