#include "base/RandomSeed.h"

#include <chrono>

#include "base/MsvcRand.h"

namespace saver {

RandomSeedSources RandomSeedSources::Portable() {
  using namespace std::chrono;
  return {
      [] {
        return static_cast<std::uint32_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
      },
      [] {
        return static_cast<std::uint32_t>(
            duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() % 1000);
      },
      [] { return std::int32_t{0}; },
  };
}

std::uint32_t MixRandomSeed(std::uint32_t& seed, const RandomSeedSources& sources) {
  seed += 100;
  MsvcSrand(seed);
  const std::uint32_t milliseconds = sources.time_milliseconds();
  const auto first_draw = static_cast<std::uint32_t>(MsvcRand());
  const std::uint32_t low = (first_draw * milliseconds) % 65536;
  const std::uint32_t mix = low + 65536u * (sources.tick_count() % 65536);
  const std::int32_t times = sources.profile_times();
  std::int32_t second_draw = MsvcRand();
  if (second_draw == 0) second_draw = 2;
  // 32-bit signed product, wrapping as the original arithmetic does, then truncating division.
  const auto product = static_cast<std::int32_t>(static_cast<std::uint32_t>(times) * mix);
  const std::int32_t base = product / second_draw;
  const auto k = static_cast<std::uint32_t>(sources.tick_count() % static_cast<std::uint32_t>(second_draw));
  return static_cast<std::uint32_t>(base) + k * k;
}

}  // namespace saver
