#include "scene/Timeline.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "base/MsvcRand.h"

namespace saver {

void SleepInSlices(CSceneRuntime& runtime, std::uint32_t duration) {
  for (std::uint32_t slice = 0; slice < duration / kSleepSliceMs; ++slice) {
    if (runtime.StopRequested()) return;
    runtime.Sleep(kSleepSliceMs);
  }
  const std::uint32_t remainder = duration % kSleepSliceMs;
  if (remainder != 0 && !runtime.StopRequested()) runtime.Sleep(remainder);
}

std::uint32_t NextRandomDelay(std::uint32_t previous) {
  std::uint32_t duration = previous;
  do {
    // Unsigned: a loaded duration near 2^32 wraps instead of overflowing.
    duration = (static_cast<std::uint32_t>(MsvcRand()) + duration) % kRandomDelayRange;
  } while (std::llabs(static_cast<long long>(duration) - static_cast<long long>(previous)) <
           kRandomDelayMinimumChange);
  return duration;
}

std::uint32_t PacedPollCount(std::int32_t a, double k, std::uint32_t times) {
  const double polls = (1.0 - a / k) * times * k * 0.00001;
  if (!(polls > 0.0)) return 0;  // also NaN
  if (polls >= static_cast<double>(std::numeric_limits<std::uint32_t>::max()))
    return std::numeric_limits<std::uint32_t>::max();
  return static_cast<std::uint32_t>(polls);
}

}  // namespace saver
