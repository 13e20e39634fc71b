#pragma once
#include <optional>
#include <string>

#include "desktop/WallpaperComposition.h"

namespace saver {

// The style that the registry's "WallpaperStyle" and "TileWallpaper" texts give (each absent
// when the value is missing): tiling wins over every other style; a style number the system
// does not know is centred.
WallpaperStyle WallpaperStyleFromValues(const std::optional<std::string>& wallpaper_style,
                                        const std::optional<std::string>& tile_wallpaper);

// False for an empty path and for web pages and GIF pictures, which the desktop shows but the
// picture readers do not take; the extension is compared without regard to case.
bool IsUsableWallpaperPath(const std::string& path);

}  // namespace saver
