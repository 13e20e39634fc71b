#pragma once
#include <cstdint>
#include <optional>

#include "imaging/PixelBuffer.h"
#include "imaging/Rect.h"

namespace saver {

// How Windows places the wallpaper picture on the desktop; the numbers are the registry's
// "WallpaperStyle" values, except tiling, which "TileWallpaper" selects.
enum class WallpaperStyle : std::int32_t {
  kCentred = 0,
  kTiled = 1,
  kStretched = 2,
  kFit = 6,    // scaled to fit inside the screen, aspect kept, centred on the desktop colour
  kFill = 10,  // scaled to cover the screen, aspect kept, centred, the overhang cut off
  kSpan = 22,  // as kFill, over the whole desktop of every monitor
};

// Where the desktop lies around the primary screen: the primary screen is (0, 0, width, height)
// and `desktop` the bounding rectangle of every monitor in the same coordinates (its corner may
// be negative). On one monitor both are the same.
struct ScreenLayout {
  Size screen;
  Rect desktop;
  static constexpr ScreenLayout SingleMonitor(Size screen) {
    return {screen, Rect::FromSize(0, 0, screen.width, screen.height)};
  }
};

// The desktop background as Windows draws it on the primary screen, at the screen's size, over
// the desktop colour (a COLORREF): centred, tiled from the top-left corner, stretched over the
// whole screen, fitted, filled, or filled across the whole desktop (span). An empty picture
// leaves the plain desktop colour. None for an empty or absurd screen.
std::optional<CPixelBuffer> ComposeWallpaper(const CPixelBuffer& picture, const ScreenLayout& layout,
                                             WallpaperStyle style, std::uint32_t desktop_colour);

// A screen-sized picture of the desktop colour alone.
std::optional<CPixelBuffer> PlainDesktop(Size screen, std::uint32_t desktop_colour);

}  // namespace saver
