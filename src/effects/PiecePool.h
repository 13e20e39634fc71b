#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "base/RandomRange.h"

namespace saver {

// The pieces of a dissolve not drawn yet, as 32-bit piece values. A piece is taken by a uniform
// index into the pieces left: with n left the range is 0 ... n - 1 (n = 1 gives the full range),
// and a draw beyond n - 1 (rand's largest value, or any value when n = 1) takes index 0. Taking a
// piece moves the last one into its place, so picking and removing cost O(1) at any size.
class CPiecePool {
 public:
  explicit CPiecePool(std::vector<std::uint32_t> pieces) : pieces_(std::move(pieces)), left_(pieces_.size()) {}

  bool Empty() const { return left_ == 0; }
  std::size_t Size() const { return left_; }

  // Takes pieces one after another, drawing from the generator `random` has seeded, and hands
  // each to `taken` until the pool is empty or `taken` returns false. The loop works on copies
  // of the range, the thread's generator state and the count, which stay in registers whatever
  // `taken` calls; nothing else may draw random numbers on this thread meanwhile.
  template <typename Taken>
  void TakeWhile(CRandomRange& random, Taken taken) {
    CRandomRange range = random;
    CMsvcRandDraws draws;
    std::uint32_t* const pieces = pieces_.data();
    std::size_t left = left_;
    bool more = true;
    while (more && left > 0) more = taken(TakeOne(range, draws, pieces, left));
    left_ = left;
    random = range;
  }

 private:
  static std::uint32_t TakeOne(CRandomRange& range, CMsvcRandDraws& draws, std::uint32_t* pieces, std::size_t& left) {
    const int last = static_cast<int>(left) - 1;
    range.SetRange(0, last);
    const int drawn = range.Next(draws);
    // One unsigned comparison catches both max + 1 and (never seen) negative values.
    const std::size_t index =
        static_cast<unsigned>(drawn) > static_cast<unsigned>(last) ? 0 : static_cast<std::size_t>(drawn);
    const std::uint32_t piece = pieces[index];
    pieces[index] = pieces[--left];
    return piece;
  }

  std::vector<std::uint32_t> pieces_;  // the first left_ are the pieces left
  std::size_t left_;
};

}  // namespace saver
