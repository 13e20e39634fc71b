#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "app/RandomRange.h"

namespace saver {

// The pieces of a dissolve not drawn yet, as 32-bit piece values. A piece is taken by a uniform
// index into the pieces left: with n left the range is 0 ... n - 1 (n = 1 gives the full range),
// and a draw beyond n - 1 (rand's largest value, or any value when n = 1) takes index 0. Taking a
// piece moves the last one into its place, so picking and removing cost O(1) at any size.
class PiecePool {
 public:
  explicit PiecePool(std::vector<std::uint32_t> pieces) : pieces_(std::move(pieces)) {}

  bool Empty() const { return pieces_.empty(); }
  std::size_t Size() const { return pieces_.size(); }

  // `draws` is the calling thread's generator, borrowed after `random` seeded it.
  std::uint32_t Take(CRandomRange& random, MsvcRandDraws& draws) {
    const int last = static_cast<int>(pieces_.size()) - 1;
    random.SetRange(0, last);
    const int drawn = random.Next(draws);
    // One unsigned comparison catches both max + 1 and (never seen) negative values.
    const std::size_t index =
        static_cast<unsigned>(drawn) > static_cast<unsigned>(last) ? 0 : static_cast<std::size_t>(drawn);
    const std::uint32_t piece = pieces_[index];
    pieces_[index] = pieces_.back();
    pieces_.pop_back();
    return piece;
  }

 private:
  std::vector<std::uint32_t> pieces_;
};

}  // namespace saver
