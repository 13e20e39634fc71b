#pragma once
#include "base/RandomSeed.h"
#include "ui/Profile.h"

namespace saver::win {

// The system's clocks and the profile integer Times of section Settings, which random colours and
// path points mix into their seeds. The profile must outlive the sources.
RandomSeedSources SystemSeedSources(const CProfile& profile);

}  // namespace saver::win
