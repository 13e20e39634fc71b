#include "app/RandomRange.h"

#include <ctime>

#include "app/MsvcRand.h"

namespace saver {

CRandomRange::CRandomRange(std::uint32_t seed) {
  if (seed == 0) seed = static_cast<std::uint32_t>(std::time(nullptr));
  MsvcSrand(seed);
  MsvcSrand((seed << 8) | static_cast<std::uint32_t>(MsvcRand() & 0xFF));
}

bool CRandomRange::SetRange(int lo, int hi) {
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

int CRandomRange::Next() const { return static_cast<int>(MsvcRand() * scale_) + min_; }

}  // namespace saver
