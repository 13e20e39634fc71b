#pragma once
#include <optional>

#include "imaging/Rect.h"

namespace saver {

// A block copy after clipping: the destination rectangle and the source pixel that lands on its
// top-left corner.
struct ClippedBlock {
  Rect destination;
  Point source;
};

// Cuts a copy of destination.Width() x destination.Height() pixels, read from `source` onwards,
// so that it writes only inside destination_bounds and reads only inside source_bounds. A block
// with a negative or zero size, or one that lies wholly outside, gives nothing.
inline std::optional<ClippedBlock> ClipBlock(const Rect& destination, Point source,
                                             const Rect& destination_bounds,
                                             const Rect& source_bounds) {
  const int dx = source.x - destination.left;
  const int dy = source.y - destination.top;
  const Rect readable = source_bounds.Offset(-dx, -dy);
  const Rect cut = destination.Intersect(destination_bounds).Intersect(readable);
  if (cut.IsEmpty()) return std::nullopt;
  return ClippedBlock{cut, {cut.left + dx, cut.top + dy}};
}

}  // namespace saver
