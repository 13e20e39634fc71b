#include "scene/MoveStepGeometry.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace saver {
namespace {

Rect Bounds(const Rect& a, const Rect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

// Rectangle from its edges, empty (0, 0, 0, 0) when they do not enclose anything.
Rect Block(int left, int top, int right, int bottom) {
  const Rect block{left, top, right, bottom};
  return block.IsEmpty() ? Rect{} : block;
}

}  // namespace

MoveStepGeometry ComputeMoveStep(Point from, Point to, Size size) {
  MoveStepGeometry step;
  // A step at least as long as the picture leaves nothing in common; positions far apart would
  // not even give a distance in 32 bits.
  const std::int64_t dx64 = std::int64_t{to.x} - from.x;
  const std::int64_t dy64 = std::int64_t{to.y} - from.y;
  if (std::llabs(dx64) >= size.width || std::llabs(dy64) >= size.height) return step;
  const int dx = static_cast<int>(dx64);
  const int dy = static_cast<int>(dy64);
  step.origin = {from.x + std::min(dx, 0), from.y + std::min(dy, 0)};
  step.old_rect = Rect::FromSize(std::max(-dx, 0), std::max(-dy, 0), size.width, size.height);
  step.new_rect = step.old_rect.Offset(dx, dy);
  step.intersection = step.old_rect.Intersect(step.new_rect);
  step.union_rect = Bounds(step.old_rect, step.new_rect);
  const Rect& o = step.old_rect;
  const Rect& n = step.new_rect;
  const Rect& u = step.union_rect;
  const Rect& x = step.intersection;
  // Down-left and up-right moves leave the top-left and bottom-right corners open; the other
  // diagonals the bottom-left and top-right ones.
  const bool anti_diagonal = (n.left < o.left && o.top < n.top) || (o.left < n.left && n.top < o.top);
  if (anti_diagonal) {
    step.uncovered_corners = {Block(u.left, u.top, x.left, x.top),
                              Block(x.right, x.bottom, u.right, u.bottom)};
  } else {
    step.uncovered_corners = {Block(u.left, x.bottom, x.left, u.bottom),
                              Block(x.right, u.top, u.right, x.top)};
  }
  return step;
}

}  // namespace saver
