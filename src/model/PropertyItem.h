#pragma once
#include "model/SceneItem.h"

namespace saver {

// The standard implementation of a kind that embeds one property behind the head: Copy, Load and
// Save do the head and then the property; Validate passes disabled items, else needs a valid name
// and a valid property.
template <typename Property>
class CPropertyItem : public CSceneItem {
 public:
  using CSceneItem::CSceneItem;

  CSceneItem& Copy(const CSceneItem& other) override {
    CSceneItem::Copy(other);
    property_.Copy(dynamic_cast<const CPropertyItem&>(other).property_);
    return *this;
  }
  void Load(CArchiveReader& archive) override {
    CSceneItem::Load(archive);
    property_.Load(archive);
  }
  void Save(CArchiveWriter& archive) const override {
    CSceneItem::Save(archive);
    property_.Save(archive);
  }
  bool Validate(const ValidationContext& context) override {
    if (IsDisabled()) return true;
    return Name().Validate(context) && property_.Validate(context);
  }

  Property& Prop() { return property_; }
  const Property& Prop() const { return property_; }

 private:
  Property property_;
};

}  // namespace saver
