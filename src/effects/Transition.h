#pragma once
#include <cstdint>
#include <optional>

#include "effects/DrawingSurface.h"
#include "effects/Pacer.h"
#include "effects/RasterOp.h"
#include "imaging/Rect.h"

namespace saver {

// Where a transition puts its picture: the target rectangle; `background` (0x00BBGGRR) fills the
// frame behind the picture, none leaves it as it is; the raster operation is used only when the
// picture is copied into the frame.
struct TransitionTarget {
  Rect rect;
  std::optional<std::uint32_t> background;
  std::uint32_t raster_op = rop::kSrcCopy;
};

// Places one picture on the screen, statically (effect numbers 0 own size, 1 tiled,
// 2 stretched) or through a transition (4 to 87, see EffectTable.cpp). An image item builds one
// per execution with everything it works with, then calls DrawPlaced + CopyToScreen or
// ImageEffects. It owns nothing; the surface holds the screen, the frame (as large as the
// target, or as the screen for placements 1 and 2) and the picture; the pacer does the waits.
class CTransition {
 public:
  CTransition(int effect, const TransitionTarget& target, CDrawingSurface& surface, CPacer& pacer)
      : effect_(effect), target_(target), surface_(surface), pacer_(pacer) {}

  // Frame (0, 0, w, h) := background, then the picture from (sx, sy).
  void ComposeFrame(int sx, int sy);
  // The static placements by effect number; other numbers do nothing.
  void DrawPlaced();
  // Shows a placed frame: the whole screen for 1 and 2; for 0, w x h at the target's corner when
  // use_own_rect is set, else at `point`.
  void CopyToScreen(bool use_own_rect, Point point);

  // The part of a picture placed at `position` that lies on a screen of `screen` size; `offsets`
  // receives the picture pixel shown at the visible part's top-left corner. Empty when nothing
  // of the picture is on the screen.
  static Rect ClipToScreen(const Rect& picture, Point position, Size screen, Point& offsets);

  // Runs the transition from what the screen shows to the picture, from picture pixel (sx, sy),
  // at `point` with pace a. A picture hanging off the left or top edge (sx or sy not 0) is drawn
  // from that screen edge: the point is moved there and written back.
  void ImageEffects(Point& point, int pace, int sx, int sy);

 private:
  Size TargetSize() const { return {target_.rect.Width(), target_.rect.Height()}; }
  void FillFrame(const Rect& area);

  int effect_;
  TransitionTarget target_;
  CDrawingSurface& surface_;
  CPacer& pacer_;
};

}  // namespace saver
