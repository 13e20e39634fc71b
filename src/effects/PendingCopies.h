#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "effects/DrawingSurface.h"

namespace saver {

// Plain copies into one layer that the memory surface has not drawn yet, in the order they were
// made. A copy that a later one overwrites wholly is dropped, one overwritten in part is cut to
// what is left, and columns that continue each other, forwards or mirrored (a roll's band),
// join into one block: a one-pixel column drawn alone is one tiny copy on every row of the
// picture, a block of such columns one run per row. Blocks that continue a run's rows on the
// left, or its columns above or below, join it too. So an effect that draws the same area again and again
// (a push, a growing band) leaves about one frame to draw, however many steps it takes.
class CPendingCopies {
 public:
  // Target column left + i shows source column source_left + i * step (step -1 for a mirrored
  // run), on rows top to bottom - 1 (source rows from source_top). A width of 0 marks a run
  // dropped in place.
  struct Run {
    Layer target, source;
    int left, width, top, bottom;
    int source_left, source_top, step;
  };

  // Indexes in the list of the latest runs that started on one row or at one column, newest
  // first, -1 for none.
  using Latest = std::array<std::int32_t, 4>;

  bool Empty() const { return runs_.empty(); }  // the latest run is never dropped
  std::size_t RunsHeld() const { return runs_.size() - dropped_; }
  Layer Target() const { return runs_.front().target; }

  // `next` goes into the same target as the runs held and does not read it.
  void Add(const Run& next);
  // Draws the runs, in the order they were copied, onto `to` and forgets them.
  void DrawAll(CPixelBuffer& to, const std::function<const CPixelBuffer&(Layer)>& source_of);

 private:
  // A run that a later copy covers in part leaves up to four blocks; it is split only while
  // few runs are held (a block moving diagonally leaves an L-shape), as the pieces go into the
  // middle of the list.
  static constexpr std::size_t kMostRunsSplit = 64;
  using Pieces = std::array<Run, 4>;
  // A run dropped among the latest few is taken out of the list, so that the latest runs
  // looked at are ones still held; one further back is marked dropped, and the list compacted
  // now and then. (Its index in last_on_row_ and last_at_column_ may then name another run:
  // cutting by what `next` covers is right for any run.)
  static constexpr std::size_t kRunsErased = 32;

  static bool Join(Run& run, const Run& next);
  // The same columns right above or below the run, continuing its source rows: strips pushed
  // one after another end as one block, so that the latest runs looked at stay few.
  static bool JoinRows(Run& run, const Run& next);
  static Run Part(const Run& run, int left, int right, int top, int bottom);
  // The blocks of `run` that `next`, which overlaps it, leaves uncovered; their count (0 when
  // it covers all of it).
  static int Subtract(const Run& run, const Run& next, Pieces& pieces);
  // Cuts the run at `index`, which `next` overlaps, to what `next` leaves of it.
  void CutBy(std::size_t index, const Run& next);
  void Remember(std::size_t index);
  void Compact();
  void Clear();

  std::vector<Run> runs_;
  std::size_t dropped_ = 0;
  // The latest runs that started on each row and at each column: a block drawn again, grown (a
  // column band sliding in, a row of a widening band or of a wedge), is found there however many
  // blocks were copied in between.
  std::vector<Latest> last_on_row_, last_at_column_;
};

}  // namespace saver
