#pragma once
#include <vector>

#include "model/ItemRef.h"
#include "model/SceneItem.h"

namespace saver {

// A kind that actions target (image, media): it keeps the list of its referrers.
class CResourceItem : public CSceneItem {
 public:
  using CSceneItem::CSceneItem;

  void AddReferrer(CSceneItem& referrer) override { referrers_.emplace_back(referrer); }
  const std::vector<CItemRef>& Referrers() const { return referrers_; }

 protected:
  // A disabled resource is still checked when an enabled action targets it.
  bool NeedsValidation() const;

 private:
  std::vector<CItemRef> referrers_;
};

}  // namespace saver
