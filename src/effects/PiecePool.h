#pragma once
#include <cstddef>
#include <utility>
#include <vector>

#include "app/RandomRange.h"
#include "imaging/Rect.h"

namespace saver {

// The pieces of a dissolve not drawn yet. A piece is taken by a uniform index into the pieces
// left: with n left the range is 0 ... n - 1 (n = 1 gives the full range), and a draw beyond
// n - 1 (rand's largest value, or any value when n = 1) takes index 0. Taking a piece moves the
// last one into its place, so picking and removing cost O(1) at any size.
class PiecePool {
 public:
  explicit PiecePool(std::vector<Rect> pieces) : pieces_(std::move(pieces)) {}

  bool Empty() const { return pieces_.empty(); }
  std::size_t Size() const { return pieces_.size(); }

  Rect Take(CRandomRange& random) {
    const int last = static_cast<int>(pieces_.size()) - 1;
    random.SetRange(0, last);
    const int drawn = random.Next();
    const std::size_t index = drawn > last || drawn < 0 ? 0 : static_cast<std::size_t>(drawn);
    const Rect piece = pieces_[index];
    pieces_[index] = pieces_.back();
    pieces_.pop_back();
    return piece;
  }

 private:
  std::vector<Rect> pieces_;
};

}  // namespace saver
