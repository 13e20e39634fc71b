#pragma once
#include <cstddef>
#include <vector>

#include "effects/DrawingSurface.h"

namespace saver {

// Plain copies from one layer into another, all with the same shift between source and
// destination, that the memory surface has not drawn yet: every copy reads the same source
// pixel for a given destination pixel, so their order does not matter and only the union of
// their blocks does. It is kept per line as sorted, disjoint spans; a block that overlaps or
// touches a span merges with it. An effect that redraws a growing row or band at every step (a
// wedge, a widening band) so costs one comparison per row of each block, with no allocation
// once the lines have their room. The lines are rows, or columns when the first block is
// taller than wide (columns uncovered one by one, a column of a cell): a column block is then
// one span, and neighbouring columns holding the same spans are drawn together as whole rows
// of the block. A later block that lies across many lines the other way changes their kind.
class CHeldSpans {
 public:
  bool Empty() const { return used_lines_.empty(); }
  // Whether a copy from `source` into `target` with the given shift may join the held spans.
  bool Takes(Layer target, Layer source, Point shift) const {
    return Empty() || (target == target_ && source == source_ && shift.x == shift_.x && shift.y == shift_.y);
  }
  Layer Target() const { return target_; }
  Layer Source() const { return source_; }

  // Holds `destination` (inside `to`, shifted inside `from`) copied from `source`; `Takes` said
  // yes. A line holding too many spans is drawn at once.
  void Add(Layer target, Layer source, Point shift, const Rect& destination, CPixelBuffer& to,
           const CPixelBuffer& from);
  // Draws every held span from `from` onto `to` and forgets them.
  void DrawAll(CPixelBuffer& to, const CPixelBuffer& from);

 private:
  struct Span {
    int left, right;  // along the line
    bool operator==(const Span&) const = default;
  };
  struct Line {
    std::vector<Span> spans;
    bool listed = false;    // in used_lines_
    std::size_t hint = 0;  // the span grown or put in last
  };
  // Beyond this many spans on one line it is drawn (a dissolve's cells scatter over the rows),
  // which keeps merging a new span in cheap.
  static constexpr std::size_t kMostSpansPerLine = 64;
  // A block across more lines than this, the wrong way round, changes the kind of lines.
  static constexpr std::size_t kMostLinesAcross = 64;

  // Puts [left, right) among the line's spans, joined with every span it overlaps or touches.
  static void Place(Line& line, int left, int right);
  // The same by a search of the line; the index of the span that holds [left, right) now.
  static std::size_t Merge(std::vector<Span>& spans, int left, int right);
  // Draws the spans of columns first ... last - 1, which all hold the same spans, row by row.
  void DrawColumns(int first, int last, CPixelBuffer& to, const CPixelBuffer& from);
  void DrawLine(int line, CPixelBuffer& to, const CPixelBuffer& from);

  Layer target_ = Layer::Screen, source_ = Layer::New;
  Point shift_{0, 0};  // source pixel minus destination pixel
  bool by_columns_ = false;
  std::vector<Line> lines_;
  std::vector<int> used_lines_;  // lines that took spans since the last DrawAll, in no order
};

}  // namespace saver
