#pragma once
#include <cstdint>

#include "scene/SceneRuntime.h"

namespace saver {

// Sleeps `duration` milliseconds in slices of kSleepSliceMs and then the remainder, looking at the
// stop request before each; returns early once it is set. 250 ms sleeps 100, 100, 50.
void SleepInSlices(CSceneRuntime& runtime, std::uint32_t duration);

// A new random delay below kRandomDelayRange that differs from `previous` by at least
// kRandomDelayMinimumChange, drawn from the calling thread's rand sequence (the caller seeds it).
// The range is wider than twice the change, so such a value always exists.
inline constexpr std::uint32_t kRandomDelayRange = 3001;
inline constexpr std::uint32_t kRandomDelayMinimumChange = 150;
static_assert(kRandomDelayRange > 2 * kRandomDelayMinimumChange);
std::uint32_t NextRandomDelay(std::uint32_t previous);

// The busy-wait length of PacedWait in polls: (1 - a/k) * times * k * 0.00001 in double precision,
// truncated toward zero. A negative or undefined product (a speed below 100, k = 0) waits no
// polls instead of wrapping to an endless wait; a product beyond 32 bits is capped.
std::uint32_t PacedPollCount(std::int32_t a, double k, std::uint32_t times);

}  // namespace saver
