#include <gtest/gtest.h>

#include "desktop/WallpaperSettings.h"

namespace saver {
namespace {

using Text = std::optional<std::string>;

TEST(WallpaperSettings, StyleFromTheRegistryTexts) {
  const struct {
    Text style, tile;
    WallpaperStyle expected;
  } cases[] = {
      {"0", "0", WallpaperStyle::kCentred},
      {"2", "0", WallpaperStyle::kStretched},
      {"2", std::nullopt, WallpaperStyle::kStretched},
      {"0", "1", WallpaperStyle::kTiled},
      {"2", "1", WallpaperStyle::kTiled},  // tiling wins
      {"6", "0", WallpaperStyle::kFit},
      {"10", "0", WallpaperStyle::kFill},
      {"22", "0", WallpaperStyle::kSpan},
      {"10", "1", WallpaperStyle::kTiled},
      {"3", "0", WallpaperStyle::kCentred},
      {"", "", WallpaperStyle::kCentred},
      {"x", "yes", WallpaperStyle::kCentred},
      {" 2", "01", WallpaperStyle::kTiled},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WallpaperStyleFromValues(c.style, c.tile), c.expected)
        << c.style.value_or("(none)") << " / " << c.tile.value_or("(none)");
  }
}

TEST(WallpaperSettings, WebPagesGifsAndEmptyPathsAreNotUsable) {
  const struct {
    const char* path;
    bool usable;
  } cases[] = {
      {R"(C:\WINDOWS\Web\Wallpaper\Bliss.bmp)", true},
      {R"(C:\Pictures\holiday.JPG)", true},
      {R"(C:\Pictures\noextension)", true},
      {R"(C:\Web.htm\picture)", true},  // a folder's dot is no extension
      {R"(C:\WINDOWS\Web\Wallpaper\page.htm)", false},
      {R"(C:\WINDOWS\Web\Wallpaper\page.HtM)", false},
      {R"(C:\WINDOWS\Web\Wallpaper\page.html)", false},
      {R"(C:\Pictures\anim.gif)", false},
      {"", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsUsableWallpaperPath(c.path), c.usable) << c.path;
  }
}

}  // namespace
}  // namespace saver
