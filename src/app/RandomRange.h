#pragma once
#include <cstdint>

namespace saver {

// Random numbers in a range, drawn from the calling thread's MSVC-compatible rand (MsvcRand.h).
// Next() returns trunc(rand() * scale) + min with scale = (max - min + 1) / 32767, so it returns
// max + 1 when rand() gives 32767; callers guard against that value.
class CRandomRange {
 public:
  // Seeds the generator twice: srand(seed), then srand((seed << 8) | (rand() & 0xFF)).
  // A seed of 0 means the current time in whole seconds.
  explicit CRandomRange(std::uint32_t seed);

  // lo = hi = 0 selects 0..32767; otherwise lo >= hi is refused and nothing changes.
  bool SetRange(int lo, int hi);
  int Next() const;

  int Min() const { return min_; }
  int Max() const { return max_; }

 private:
  int min_ = 0;
  int max_ = 32767;
  double scale_ = 1.0;
};

}  // namespace saver
