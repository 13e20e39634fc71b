#pragma once
#include "imaging/PixelBuffer.h"
#include "imaging/Rect.h"

namespace saver::tool {

// EXIF orientation 1 to 8: how the stored pixels must be turned or mirrored to stand upright.
// 5 to 8 exchange width and height.
bool SwapsSides(int orientation);
// The upright size of a picture stored at `stored`.
Size UprightSize(Size stored, int orientation);
// The pixels turned upright (a copy; orientation 1 gives them unchanged).
CPixelBuffer TurnUpright(const CPixelBuffer& stored, int orientation);

}  // namespace saver::tool
