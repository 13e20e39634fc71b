#include "model/ItemTarget.h"

#include "base/UserMessages.h"
#include "model/SceneItem.h"

namespace saver {

bool CItemTarget::Validate(std::int32_t expected_type, std::string_view message, CUserMessages& messages) const {
  if (item_ != nullptr && item_->TypeId() == expected_type) return true;
  messages.ShowError(message);
  return false;
}

}  // namespace saver
