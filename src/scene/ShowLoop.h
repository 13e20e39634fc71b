#pragma once
#include "model/ItemList.h"
#include "scene/SceneRuntime.h"

namespace saver {

// The walk of the scene thread over the item list: every enabled item executes in turn; an item may
// move the running index (a loop end does), and the walk continues from that index plus one. It
// ends after the last item, when the show is told to stop, or when an index leaves the list.
void RunShowItems(const CItemList& items, CSceneRuntime& runtime);

}  // namespace saver
