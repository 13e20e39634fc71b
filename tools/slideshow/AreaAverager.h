#pragma once
#include <cstdint>
#include <vector>

#include "imaging/PixelBuffer.h"
#include "imaging/Rect.h"

namespace saver::tool {

// Reduces a picture by area averaging: every target pixel is the mean of the source area it
// covers, source pixels cut by a target pixel's edge counted by the part inside. Fine detail
// averages out instead of aliasing as it does under point or bilinear sampling. The source comes
// one row at a time (straight from a decoder), so only the target and one row of sums are held.
class CAreaAverager {
 public:
  // Both target sides from 1 up to the source's.
  CAreaAverager(Size source, Size target);

  // The next source row, source.width RGB pixels.
  void AddRow(const std::uint8_t* rgb);
  // The target, once every source row has been added.
  CPixelBuffer Take() { return std::move(target_); }

 private:
  // Where a source column or row falls among the target's: it covers `first` by `first_share`
  // and the next one by the rest of its width (measured in target units, see the .cpp).
  struct Split {
    int first;
    std::uint32_t first_share;
  };
  static std::vector<Split> Splits(int source_length, int target_length);
  void EmitRow(int y);

  Size source_;
  CPixelBuffer target_;
  std::vector<Split> columns_;
  std::vector<Split> rows_;
  std::vector<std::uint32_t> row_sums_;  // one source row summed into the target's columns
  std::vector<std::uint64_t> open_sums_;  // the target row being filled
  std::vector<std::uint64_t> next_sums_;  // the share of a cut source row for the row after it
  int next_source_row_ = 0;
};

// The largest size of the same proportions within `box`; `picture` itself when it fits already.
// Never smaller than 1 x 1.
Size FitWithin(Size picture, Size box);

// A whole picture reduced with an CAreaAverager.
CPixelBuffer AverageDown(const CPixelBuffer& source, Size target);

}  // namespace saver::tool
