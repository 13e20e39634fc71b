#pragma once
#include <cstdint>
#include <optional>

#include "imaging/PixelBuffer.h"
#include "imaging/Rect.h"

namespace saver {

// How Windows places the wallpaper picture on the desktop.
enum class WallpaperStyle : std::int32_t { kCentred = 0, kTiled = 1, kStretched = 2 };

// The desktop background as Windows draws it, at the screen's size: the picture centred over the
// desktop colour (a COLORREF), tiled from the top-left corner, or stretched over the whole
// screen. An empty picture leaves the plain desktop colour. None for an empty or absurd screen.
std::optional<PixelBuffer> ComposeWallpaper(const PixelBuffer& picture, Size screen, WallpaperStyle style,
                                            std::uint32_t desktop_colour);

// A screen-sized picture of the desktop colour alone.
std::optional<PixelBuffer> PlainDesktop(Size screen, std::uint32_t desktop_colour);

}  // namespace saver
