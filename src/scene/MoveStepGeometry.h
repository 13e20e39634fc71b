#pragma once
#include <array>

#include "imaging/Rect.h"

namespace saver {

// The rectangles of one step of a moving picture of `size` from screen point `from` to `to`. They
// are in a frame whose origin is the screen point `origin`, the top-left corner of both positions
// together, so that one off-screen bitmap of the union can redraw the step without flicker. When
// the two positions do not overlap only Overlaps() is meaningful: such a step erases and redraws.
struct MoveStepGeometry {
  Point origin;
  Rect old_rect;      // where the picture was
  Rect new_rect;      // where it goes
  Rect union_rect;    // the bounding box of both; the bitmap that redraws the step
  Rect intersection;  // empty when the two do not overlap
  // The two corners of the union that neither position covers; the screen shows through them.
  // Empty for a move along one axis.
  std::array<Rect, 2> uncovered_corners;

  bool Overlaps() const { return !intersection.IsEmpty(); }
};

MoveStepGeometry ComputeMoveStep(Point from, Point to, Size size);

}  // namespace saver
