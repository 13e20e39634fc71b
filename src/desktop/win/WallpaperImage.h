#pragma once
// The desktop background as Windows draws it, rendered at start-up into the file that image
// items with source mode 3 show.
#include <cstdint>
#include <string>

#include "desktop/WallpaperComposition.h"
#include "imaging/MessageSink.h"

namespace saver::win {

struct WallpaperSetting {
  std::string path;  // empty when no wallpaper is set
  WallpaperStyle style = WallpaperStyle::kCentred;
};

// The wallpaper of the classic desktop settings, or of the Active Desktop ones; environment
// references in an Active Desktop path are expanded. Missing keys or values give an empty path.
WallpaperSetting ReadWallpaperSetting(bool active_desktop);

// True when the browser is installed and the shell draws the desktop as a web page.
bool ActiveDesktopOn();

// Writes the background to `output`: a BMP, JPEG or PNG wallpaper placed by its style over the
// desktop colour at the screen's size as a 24-bit BMP, otherwise the desktop colour alone (see
// WritePlainDesktopImage). A wallpaper file that no longer exists is replaced by the copy
// Windows keeps of the current wallpaper (TranscodedWallpaper in the user's themes folder). `style` receives the style in use. A picture that cannot be composed
// shows a message on `messages` and leaves no file; the result is still true then, as the show
// can go on without the file.
bool PrepareWallpaper(const std::wstring& output, std::uint32_t& style, CMessageSink& messages);

// The desktop colour over the whole screen, written with the JPEG writer at quality 100 although
// the name may end in ".bmp": the picture readers go by the content.
bool WritePlainDesktopImage(const std::wstring& output);

inline constexpr const char* kWallpaperMemoryMessage =
    "Memory allocation problem during making of actual wallpaper image";

}  // namespace saver::win
