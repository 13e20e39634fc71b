// Links the timeline kinds into these tests while their Execute is not yet in the core. Each
// definition is compiled only when the core lacks that kind's <Kind>Execute.cpp (see CMakeLists).
#include "scene/DelayItem.h"
#include "scene/FillScreenItem.h"
#include "scene/LoopEndItem.h"
#include "scene/LoopStartItem.h"

namespace saver {

#ifdef SAVER_TEST_DELAY_EXECUTE
int CDelayItem::Execute(SceneRuntime&, int&) { return 1; }
#endif
#ifdef SAVER_TEST_FILL_SCREEN_EXECUTE
int CFillScreenItem::Execute(SceneRuntime&, int&) { return 1; }
#endif
#ifdef SAVER_TEST_LOOP_START_EXECUTE
int CLoopStartItem::Execute(SceneRuntime&, int&) { return 0; }
#endif
#ifdef SAVER_TEST_LOOP_END_EXECUTE
int CLoopEndItem::Execute(SceneRuntime&, int&) { return 0; }
#endif

}  // namespace saver
