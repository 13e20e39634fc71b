#pragma once
#include "app/Profile.h"
#include "app/RandomSeed.h"

namespace saver::win {

// The system's clocks and the profile integer Times of section Settings, which random colours and
// path points mix into their seeds. The profile must outlive the sources.
RandomSeedSources SystemSeedSources(const Profile& profile);

}  // namespace saver::win
