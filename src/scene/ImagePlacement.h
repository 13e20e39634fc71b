#pragma once
#include <cstdint>

#include "imaging/Rect.h"

namespace saver {

class CImageItem;
class CPathProperty;
struct RandomSeedSources;

// Effect numbers that place a picture without a transition, and the one that draws a transition
// at random each time the image is shown.
inline constexpr int kEffectOwnSize = 0;
inline constexpr int kEffectTiled = 1;
inline constexpr int kEffectStretched = 2;
inline constexpr int kEffectRandom = 3;
inline constexpr int kFirstTransition = 4;
inline constexpr int kLastTransition = 87;

// The largest size of `natural`'s proportions that fits `screen`; it enlarges as well as shrinks.
// 0 x 0 (the natural size) for an empty picture or screen.
Size AspectFit(Size natural, Size screen);

// The size a picture is drawn at: the screen (with or without its proportions) when it is fitted
// to the screen, else its explicit size; 0 x 0 means its natural size. Always 0 x 0 for a text.
Size TargetSize(const CImageItem& image, Size screen);

// A transition number from 4 to 87, from a generator seeded with the tick count and the
// millisecond of the current time.
int DrawRandomEffect(const RandomSeedSources& sources);

// Replaces a placement's effect 3 by a drawn transition, which the placement then keeps.
void ApplyEffectChoice(CPathProperty& placement, const RandomSeedSources& sources);

// Transitions that draw the whole picture at its position themselves (4 and 65) need no clipping.
bool TransitionClipsToScreen(int effect);

// Where a picture of `size` goes for `effect`: (0, 0, size) for the placements and the transitions
// that place the whole picture; for the other transitions the part visible on the screen when it
// sits at `position`, with the picture pixel shown at its top-left corner in `offsets`.
Rect PlacementRect(Size size, int effect, Point position, Size screen, Point& offsets);

}  // namespace saver
