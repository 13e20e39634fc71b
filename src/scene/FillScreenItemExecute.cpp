#include "scene/FillScreenItem.h"
#include "scene/SceneRuntime.h"

namespace saver {

int CFillScreenItem::Execute(CSceneRuntime& runtime, int&) {
  CColorProperty& colour = Prop();
  colour.Draw(runtime.SeedSources());
  runtime.FillScreen(colour.colour, colour.RasterOperation());
  return 1;
}

}  // namespace saver
