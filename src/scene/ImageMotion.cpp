// The image's screen state besides showing: a move by one step, erasing, the background saved for
// a later hide, and the snapshot files that replace a picture's bytes.
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "imaging/KeyedDraw.h"
#include "scene/ImageItem.h"
#include "scene/ImagePlacement.h"
#include "scene/ImageStage.h"
#include "scene/MoveStepGeometry.h"
#include "scene/SnapshotFile.h"
#include "scene/SceneRuntime.h"

namespace saver {
namespace {

constexpr std::string_view kCannotRead = "\nCannot be read data.";

Point CurrentOf(const CPathProperty& path) { return {path.current_x, path.current_y}; }

// NT 4 and older (class 3) and Windows 2000 and XP (class 4) erase through an off-screen
// picture that is then copied to the screen; the Windows 95 family and everything the class
// table does not know fill the screen directly.
bool ErasesThroughBitmap(int operating_system_class) {
  return operating_system_class == 3 || operating_system_class == 4;
}

// The file's own name, which the message about an unreadable snapshot shows.
std::string_view FileNameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

void CImageItem::MoveStep(CImageStage& stage, const CPathProperty& moved, CSceneRuntime& runtime) {
  if (runtime.StopRequested()) return;
  const MoveStepGeometry step = ComputeMoveStep(CurrentOf(placement), CurrentOf(moved), NaturalSize());
  if (!step.Overlaps()) {
    Erase(stage);
    previous_placement.Copy(placement);
    placement.Copy(moved);
    Show(stage, stage.Screen(), runtime, nullptr);
    return;
  }
  // Old and new place are redrawn together off screen and copied in one piece, so the picture
  // never vanishes from the screen between two steps.
  CImageCanvas& screen = stage.Screen();
  const Rect& united = step.union_rect;
  CPixelCanvas canvas(CPixelBuffer(united.Width(), united.Height()));
  const Rect on_screen = united.Offset(step.origin.x, step.origin.y);
  if ((IsText() && opaque == 0) || placement.screen_copy_background != 0) {
    // What lay under the picture when the move began shows through.
    canvas.Pixels() = CropPixels(screen_copy, on_screen);
  } else {
    canvas.Fill(step.old_rect, stage.WindowBackground());
  }
  Show(stage, canvas, runtime, &step.new_rect);
  for (const Rect& corner : step.uncovered_corners) {
    CPixelBuffer block;
    if (!corner.IsEmpty() && screen.Read(corner.Offset(step.origin.x, step.origin.y), block)) {
      canvas.Draw({corner.left, corner.top}, block);
    }
  }
  screen.Draw(step.origin, canvas.Pixels());
  previous_placement.Copy(placement);
  placement.Copy(moved);
}

void CImageItem::Erase(CImageStage& stage) {
  const Size screen = stage.Metrics().device;
  const Rect area = placement.effect_number == kEffectOwnSize
                        ? Rect::FromSize(placement.current_x, placement.current_y, natural_width, natural_height)
                        : Rect::FromSize(0, 0, screen.width, screen.height);
  const std::uint32_t colour = stage.WindowBackground();
  if (ErasesThroughBitmap(stage.OperatingSystemClass()) && !area.IsEmpty()) {
    CPixelCanvas block(CPixelBuffer(area.Width(), area.Height()));
    block.Fill(Rect::FromSize(0, 0, area.Width(), area.Height()), colour);
    stage.Screen().Draw({area.left, area.top}, block.Pixels());
  } else {
    stage.Screen().Fill(area, colour);
  }
  shown = 0;
}

void CImageItem::TakeSavedBackground(CImageStage& stage, const Rect& area, const CPathProperty& position) {
  saved_background = {};
  stage.Screen().Read(area, saved_background);
  saved_position.Copy(position);
}

void CImageItem::DrawSavedBackground(CImageStage& stage) {
  if (!saved_background.IsEmpty()) stage.Screen().Draw(CurrentOf(saved_position), saved_background);
}

bool CImageItem::LoadSnapshotFile(CImageStage& stage, const std::string& path) {
  data = {};
  file_name.clear();
  auto bytes = ReadSnapshotFile(path);
  if (!bytes) {
    stage.Messages().Show(std::string(FileNameOf(path)) + std::string(kCannotRead));
    return false;
  }
  data = std::move(*bytes);
  file_name = stage.DisplayName(path);
  return true;
}

}  // namespace saver
