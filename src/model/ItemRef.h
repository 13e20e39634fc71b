#pragma once

namespace saver {

class CSceneItem;

// One entry of a resource's referrer list: a non-owning pointer to an action that targets the
// resource. The action itself belongs to the scene's item list.
class CItemRef {
 public:
  explicit CItemRef(CSceneItem& item) : item_(&item) {}
  CSceneItem& Item() const { return *item_; }

 private:
  CSceneItem* item_;
};

}  // namespace saver
