#pragma once
#include "imaging/Rect.h"

namespace saver {

class CMediaItem;
class CPlayMediaProperty;

// Height of the strip a full-screen Flash movie leaves free above it in a test run.
inline constexpr int kTestRunStripHeight = 20;

// The screen rectangle a play-media action gives its media. A Flash movie with width and height 0
// takes its size from the movie's header, stored in `play` for later runs; an unreadable header
// (an LZMA file, damaged data) gives the whole screen and stores nothing. Sums that would leave
// the 32-bit range are clamped to it.
Rect MediaTargetRect(CPlayMediaProperty& play, const CMediaItem& media, Size screen, bool exit_button_flag);

}  // namespace saver
