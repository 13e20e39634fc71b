#pragma once
#include <cstdint>
#include <functional>

namespace saver {

// The clocks and the calibration count that random colours and random path points mix into their
// seeds. The Win32 shell supplies GetTickCount, the millisecond field of GetSystemTime and the
// profile integer Times of section Settings; the portable defaults use the C++ clocks and Times 0.
struct RandomSeedSources {
  std::function<std::uint32_t()> tick_count;
  std::function<std::uint32_t()> time_milliseconds;  // 0..999
  std::function<std::int32_t()> profile_times;

  static RandomSeedSources Portable();
};

// Advances `seed` by 100, reseeds the thread's rand with it and mixes the clocks, the calibration
// count and two draws into the seed of a fresh CRandomRange.
std::uint32_t MixRandomSeed(std::uint32_t& seed, const RandomSeedSources& sources);

}  // namespace saver
