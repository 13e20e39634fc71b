#pragma once
#include <cstddef>

#include "scene/SceneRuntime.h"

namespace saver {

// The walk of the scene thread over the item list: every enabled item executes in turn; an item may
// move the running index (a loop end does), and the walk continues from that index plus one. It
// ends after the last item, when the show is told to stop, or when an index leaves the list.
template <typename ItemList>
void RunShowItems(const ItemList& items, SceneRuntime& runtime) {
  for (int index = 0; index >= 0 && static_cast<std::size_t>(index) < items.size(); ++index) {
    if (runtime.StopRequested()) return;
    auto& item = *items[static_cast<std::size_t>(index)];
    if (item.IsDisabled()) continue;
    item.Execute(runtime, index);
  }
}

}  // namespace saver
