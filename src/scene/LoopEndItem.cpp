#include "scene/LoopEndItem.h"

#include "model/ItemList.h"
#include "model/ValidationContext.h"

namespace saver {
namespace {

// Position of the loop start that closes the stretch ending just before `end`, or -1.
std::int32_t MatchingLoopStart(const CItemList& items, std::int32_t end) {
  int depth = 1;
  for (std::int32_t i = end - 1; i >= 0; --i) {
    const std::int32_t type = items.At(static_cast<std::size_t>(i)).TypeId();
    if (type == kLoopEndItem) ++depth;
    if (type == kLoopStartItem && --depth == 0) return i;
  }
  return -1;
}

}  // namespace

bool CLoopEndItem::Validate(const ValidationContext& context) {
  if (IsDisabled()) return true;
  if (Index() < 0 || static_cast<std::size_t>(Index()) >= context.items.Size()) return false;
  const std::int32_t start = MatchingLoopStart(context.items, Index());
  if (start < 0) return false;
  Prop().jump_target = start + 1;
  return CPropertyItem::Validate(context);
}

}  // namespace saver
