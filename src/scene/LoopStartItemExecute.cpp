#include "scene/LoopStartItem.h"

namespace saver {

// A mark for the loop end to jump behind; nothing to do on its own turn.
int CLoopStartItem::Execute(CSceneRuntime&, int&) { return 0; }

}  // namespace saver
