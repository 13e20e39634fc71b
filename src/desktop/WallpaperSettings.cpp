#include "desktop/WallpaperSettings.h"

#include <algorithm>
#include <cstdlib>

namespace saver {
namespace {

// The value's leading decimal number, as the system reads these texts; 0 when there is none.
long NumberIn(const std::optional<std::string>& text) { return text ? std::strtol(text->c_str(), nullptr, 10) : 0; }

std::string UpperExtension(const std::string& path) {
  const auto dot = path.rfind('.');
  const auto separator = path.find_last_of("\\/");
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) return {};
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
  return extension;
}

}  // namespace

WallpaperStyle WallpaperStyleFromValues(const std::optional<std::string>& wallpaper_style,
                                        const std::optional<std::string>& tile_wallpaper) {
  if (NumberIn(tile_wallpaper) == 1) return WallpaperStyle::kTiled;
  switch (NumberIn(wallpaper_style)) {
    case 2: return WallpaperStyle::kStretched;
    case 6: return WallpaperStyle::kFit;
    case 10: return WallpaperStyle::kFill;
    case 22: return WallpaperStyle::kSpan;
    default: return WallpaperStyle::kCentred;
  }
}

bool IsUsableWallpaperPath(const std::string& path) {
  if (path.empty()) return false;
  const std::string extension = UpperExtension(path);
  return extension != "HTML" && extension != "HTM" && extension != "GIF";
}

}  // namespace saver
