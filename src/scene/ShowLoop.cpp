#include "scene/ShowLoop.h"

namespace saver {

void RunShowItems(const CItemList& items, CSceneRuntime& runtime) {
  for (int index = 0; index >= 0 && static_cast<std::size_t>(index) < items.Size(); ++index) {
    if (runtime.StopRequested()) return;
    CSceneItem& item = items.At(static_cast<std::size_t>(index));
    if (item.IsDisabled()) continue;
    item.Execute(runtime, index);
  }
}

}  // namespace saver
