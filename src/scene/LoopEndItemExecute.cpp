#include "scene/LoopEndItem.h"

namespace saver {

int CLoopEndItem::Execute(CSceneRuntime&, int& running_index) {
  CRepeatProperty& loop = Prop();
  if (!loop.endless) {
    ++loop.passes;
    // A repeat count of 0 or 1 runs the stretch once; the pass count starts again for the next
    // time an outer loop comes by.
    if (loop.passes >= loop.repeat_count) {
      loop.passes = 0;
      return 0;
    }
  }
  // The scene thread adds 1 after every item, so the next one is the first after the loop start.
  running_index = loop.jump_target - 1;
  return 0;
}

}  // namespace saver
