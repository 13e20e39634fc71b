#include "scene/MoveImageItem.h"

#include "scene/ImageItem.h"
#include "scene/ImageStage.h"
#include "scene/SceneRuntime.h"

namespace saver {
namespace {

// The waits between steps are PacedWait(step delay, this): larger delays wait less.
constexpr double kStepDelayScale = 100000.0;
// A free movement whose tests do not hold within this many steps is taken to run until the show
// stops; its background is kept at its end point.
constexpr int kMaxForeseenSteps = 1000000;

// Where the image comes to rest: the position at which Step reports the end. A straight path
// may pass its end point by part of a step, so the end point alone is not enough.
Point RestingPoint(const CPathProperty& path) {
  CPathProperty walk;
  walk.Copy(path);
  for (int step = 0; step < kMaxForeseenSteps; ++step) {
    if (walk.Step()) return {walk.current_x, walk.current_y};
  }
  return {path.end_x, path.end_y};
}

}  // namespace

// Draws the image at the start, once per step, and a last time where the path reports its end.
int CMoveImageItem::Execute(CSceneRuntime& runtime, int&) {
  CImageStage* stage = nullptr;
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
    const Point rest = RestingPoint(moving);
    image->TakeSavedBackground(*stage, Rect::FromSize(rest.x, rest.y, image->natural_width, image->natural_height),
                               moving);
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
