#include "scene/ShowImageItem.h"

#include "scene/ImageItem.h"
#include "scene/ImagePlacement.h"
#include "scene/ImageStage.h"
#include "scene/SceneRuntime.h"
#include "scene/Typewriter.h"

namespace saver {
namespace {

// The size the path is computed for. A picture fitted with its proportions is centred, and the
// path keeps the centring for good.
Size ShownSize(const CImageItem& image, CPathProperty& path, Size screen) {
  if (image.IsText()) return image.NaturalSize();
  const Size target = TargetSize(image, screen);
  if (image.fit_to_screen != 0 && image.keep_aspect != 0) {
    path.modes[0] = kModeCentre;
    path.modes[1] = kModeCentre;
  }
  return target.width != 0 || target.height != 0 ? target : image.NaturalSize();
}

}  // namespace

int CShowImageItem::Execute(CSceneRuntime& runtime, int&) {
  CImageStage* stage = nullptr;
  CImageItem* image = nullptr;
  if (!FindStageAndImage(runtime, stage, image)) return 1;
  CPathProperty& path = Prop().path;
  CColorProperty& colour = Prop().colour;

  const Size size = ShownSize(*image, path, stage->Metrics().device);
  path.Compute(size, stage->Metrics(), runtime.SeedSources());
  colour.Draw(runtime.SeedSources());
  image->placement.Copy(path);
  image->background.Copy(colour);

  const bool typewriter = image->IsText() && path.typewriter != 0;
  if (image->placement.save_background != 0 || (typewriter && image->opaque == 0)) {
    image->TakeSavedBackground(*stage, Rect::FromSize(path.start_x, path.start_y, size.width, size.height), path);
  }
  if (typewriter) {
    RunTypewriter(runtime, path.typewriter_delay,
                  [&](std::size_t& index) { return image->TypeStep(*stage, runtime, index); });
  } else {
    image->Show(*stage, stage->Screen(), runtime, nullptr);
  }
  return 1;
}

}  // namespace saver
