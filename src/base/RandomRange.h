#pragma once
#include <cstdint>

#include "base/MsvcRand.h"

namespace saver {

// Random numbers in a range, drawn from the calling thread's MSVC-compatible rand (MsvcRand.h).
// Next() returns trunc(rand() * scale) + min with scale = (max - min + 1) / 32767, so it returns
// max + 1 when rand() gives 32767; callers guard against that value.
class CRandomRange {
 public:
  // Seeds the generator twice: srand(seed), then srand((seed << 8) | (rand() & 0xFF)).
  // A seed of 0 means the current time in whole seconds. Inline, and the seeding static, so that
  // the object's address stays with its owner and a loop of picks keeps its fields in registers.
  explicit CRandomRange(std::uint32_t seed) { Seed(seed); }

  // lo = hi = 0 selects 0..32767; otherwise lo >= hi is refused and nothing changes. Inline, as
  // the dissolves set a range before every pick.
  bool SetRange(int lo, int hi) {
    if (lo == 0 && hi == 0) {
      hi = kMsvcRandMax;
    } else if (lo >= hi) {
      return false;
    }
    min_ = lo;
    max_ = hi;
    scale_ = (static_cast<double>(max_) - min_ + 1) / kMsvcRandMax;
    return true;
  }

  int Next() const { return Scaled(MsvcRand()); }
  // The same value drawn from a borrowed generator, for loops of many draws.
  int Next(CMsvcRandDraws& draws) const { return Scaled(draws.Next()); }

  int Min() const { return min_; }
  int Max() const { return max_; }

 private:
  static void Seed(std::uint32_t seed);
  int Scaled(int draw) const { return static_cast<int>(draw * scale_) + min_; }

  int min_ = 0;
  int max_ = 32767;
  double scale_ = 1.0;
};

}  // namespace saver
