#pragma once
#include <cstdint>
#include <vector>

#include "effects/DrawingSurface.h"

namespace saver {

// Plain copies from one layer into another, all with the same shift between source and
// destination, that the memory surface has not drawn yet: every copy reads the same source
// pixel for a given destination pixel, so their order does not matter and only the union of
// their blocks does. The union is kept as one bit per pixel of the target, so a block costs the
// words its rows cover and nothing else, whatever the blocks held before it: an effect that
// uncovers one pixel per row at every step (a wedge, a cell's diagonal edge) pays a few
// instructions a pixel. The spans are found when drawn, row by row, within the rows and the
// words that took marks: neighbouring pixels held by different blocks (columns uncovered one
// by one) are copied together.
class CHeldSpans {
 public:
  bool Empty() const { return top_ >= bottom_; }
  // Whether a copy from `source` into `target` with the given shift may join the held spans.
  bool Takes(Layer target, Layer source, Point shift) const {
    return Empty() || (target == target_ && source == source_ && shift.x == shift_.x && shift.y == shift_.y);
  }
  Layer Target() const { return target_; }
  Layer Source() const { return source_; }

  // Holds `destination` (inside `to`, shifted inside `from`) copied from `source`; `Takes` said
  // yes.
  void Add(Layer target, Layer source, Point shift, const Rect& destination, const CPixelBuffer& to);
  // Draws every held span from `from` onto `to` and forgets them.
  void DrawAll(CPixelBuffer& to, const CPixelBuffer& from);

 private:
  using Word = std::uint64_t;

  Word* RowMarks(int y) { return marks_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(words_per_row_); }
  // Draws the row's marked runs and clears its marks.
  void DrawRow(int y, CPixelBuffer& to, const CPixelBuffer& from);

  Layer target_ = Layer::Screen, source_ = Layer::New;
  Point shift_{0, 0};  // source pixel minus destination pixel
  int words_per_row_ = 0;
  std::vector<Word> marks_;            // words_per_row_ words for each row of the target, clear when not held
  int top_ = 0, bottom_ = 0;           // the rows that may hold marks
  int first_word_ = 0, end_word_ = 0;  // the words of those rows that may hold marks
};

}  // namespace saver
