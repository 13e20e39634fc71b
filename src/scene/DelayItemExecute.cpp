#include <ctime>

#include "base/MsvcRand.h"
#include "scene/DelayItem.h"
#include "scene/Timeline.h"

namespace saver {

int CDelayItem::Execute(CSceneRuntime& runtime, int&) {
  CDelayProperty& delay = Prop();
  if (delay.random) {
    MsvcSrand(static_cast<std::uint32_t>(std::time(nullptr)));
    delay.duration = NextRandomDelay(delay.duration);
  }
  SleepInSlices(runtime, delay.duration);
  return 1;
}

}  // namespace saver
