#pragma once
// Where the windows that cover the other monitors stand while the show plays on the primary one.
// Rectangles are in virtual-screen coordinates, where monitors left of or above the primary one
// have negative coordinates.
#include <vector>

#include "imaging/Rect.h"

namespace saver {

// One rectangle for each monitor that the show's window does not already cover whole, in the
// order given; a monitor reported twice (mirrored displays) gets one. Empty monitors get none.
std::vector<Rect> CoverRects(const std::vector<Rect>& monitors, const Rect& show);

// A point in the client area of the cover window at `cover`, seen from the show's window at `show`,
// so that mouse positions on any monitor compare with each other.
Point ToShowClient(Point cover_client, const Rect& cover, const Rect& show);

}  // namespace saver
