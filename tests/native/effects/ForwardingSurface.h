#pragma once
// The forwarding surface of the core, under the name the effect tests have always used.
#include "effects/ForwardingSurface.h"

namespace saver::testing {

using saver::ForwardingSurface;

}  // namespace saver::testing
