#include "base/RandomRange.h"

#include <ctime>

namespace saver {

void CRandomRange::Seed(std::uint32_t seed) {
  if (seed == 0) seed = static_cast<std::uint32_t>(std::time(nullptr));
  MsvcSrand(seed);
  MsvcSrand((seed << 8) | static_cast<std::uint32_t>(MsvcRand() & 0xFF));
}

}  // namespace saver
