#include "app/win/SeedSources.h"

#include <windows.h>

#include "ui/ProfileNames.h"

namespace saver::win {

RandomSeedSources SystemSeedSources(const CProfile& profile) {
  return {
      [] { return static_cast<std::uint32_t>(GetTickCount()); },
      [] {
        SYSTEMTIME now{};
        GetSystemTime(&now);
        return static_cast<std::uint32_t>(now.wMilliseconds);
      },
      // Read again at every draw; the engine itself never writes this value.
      [&profile] { return static_cast<std::int32_t>(profile.GetInt(SAVER_PROFILE_SECTION, SAVER_CALIBRATION_TIMES, 0)); },
  };
}

}  // namespace saver::win
