#include "scene/MoveImageItem.h"

#include "scene/ImageItem.h"
#include "scene/ImageStage.h"
#include "scene/SceneRuntime.h"

namespace saver {
namespace {

// The waits between steps are PacedWait(step delay, this): larger delays wait less.
constexpr double kStepDelayScale = 100000.0;

}  // namespace

// Draws the image at the start, once per step, and a last time where the path reports its end.
int CMoveImageItem::Execute(SceneRuntime& runtime, int&) {
  ImageStage* stage = nullptr;
  CImageItem* image = nullptr;
  if (!FindStageAndImage(runtime, stage, image)) return 1;
  CPathProperty& path = Prop().path;
  CColorProperty& colour = Prop().colour;

  path.Compute(image->NaturalSize(), stage->Metrics(), runtime.SeedSources());
  CPathProperty moving;
  moving.Copy(path);
  image->placement.Copy(moving);
  image->previous_placement.Copy(moving);

  const Size screen = stage->Metrics().device;
  stage->Screen().Read(Rect::FromSize(0, 0, screen.width, screen.height), image->screen_copy);
  const bool save_background = image->placement.save_background != 0;
  if (save_background) {
    // Taken where the image comes to rest.
    image->TakeSavedBackground(*stage, Rect::FromSize(path.end_x, path.end_y, image->natural_width,
                                                      image->natural_height), moving);
  }
  colour.Draw(runtime.SeedSources());
  image->background.Copy(colour);

  bool reached_end = false;
  while (!runtime.StopRequested()) {
    image->MoveStep(*stage, moving, runtime);
    if (runtime.StopRequested() || reached_end) break;
    if (moving.Step()) {
      reached_end = true;
    } else {
      runtime.PacedWait(moving.step_delay, kStepDelayScale);
    }
    if (runtime.StopRequested()) break;
    colour.Draw(runtime.SeedSources());
    image->background.Copy(colour);
  }

  image->screen_copy = {};
  if (save_background) image->saved_position.Copy(moving);
  return 1;
}

}  // namespace saver
