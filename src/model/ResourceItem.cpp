#include "model/ResourceItem.h"

namespace saver {

bool CResourceItem::NeedsValidation() const {
  if (!IsDisabled()) return true;
  for (auto it = referrers_.rbegin(); it != referrers_.rend(); ++it) {
    if (!it->Item().IsDisabled()) return true;
  }
  return false;
}

}  // namespace saver
