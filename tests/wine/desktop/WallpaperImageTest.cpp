#include "desktop/win/WallpaperImage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "support/win/ScopedRegistryValue.h"
#include "DesktopFixtures.h"
#include "base/win/ScopedWin.h"
#include "base/win/TextConversion.h"
#include "desktop/win/FileBytes.h"
#include "imaging/DecodePicture.h"
#include "imaging/PictureFormat.h"
#include "imaging/PictureWriters.h"
#include "support/CollectedMessages.h"

namespace saver::win {
namespace {

using saver::testing_support::CollectedMessages;
using testing_support::DistinctPixels;
using testing_support::ScopedRegistryValue;
using testing_support::TemporaryPath;

Size Screen() {
  CScopedWindowDC screen(nullptr);
  return {GetDeviceCaps(screen.Get(), HORZRES), GetDeviceCaps(screen.Get(), VERTRES)};
}

bool Near(std::uint32_t a, std::uint32_t b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance) return false;
  }
  return true;
}

// What the wallpaper preparation wrote with the registry as it is now.
struct Prepared {
  bool result = false;
  std::uint32_t style = 99;
  PictureFormat format = PictureFormat::Unknown;
  std::optional<CPixelBuffer> pixels;
  Size size;
  std::vector<std::string> messages;
};

Prepared Prepare() {
  TemporaryPath output(L"guard-wallpaper.bmp");
  Prepared prepared;
  CollectedMessages messages;
  prepared.result = PrepareWallpaper(output.Wide(), prepared.style, messages);
  const auto bytes = output.Content();
  prepared.format = DetectPictureFormat(bytes, "");
  prepared.pixels = DecodePicture(bytes, prepared.size, messages);
  prepared.messages = messages.shown;
  return prepared;
}

// The classic desktop's three wallpaper values, put back when the test ends.
class ClassicWallpaper {
 public:
  void Set(const std::optional<std::wstring>& path, const std::optional<std::wstring>& style,
           const std::optional<std::wstring>& tile) const {
    Apply(path_, path);
    Apply(style_, style);
    Apply(tile_, tile);
  }

 private:
  static void Apply(const ScopedRegistryValue& value, const std::optional<std::wstring>& text) {
    if (text) {
      value.SetText(*text);
    } else {
      value.Remove();
    }
  }
  ScopedRegistryValue path_{HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"Wallpaper"};
  ScopedRegistryValue style_{HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"WallpaperStyle"};
  ScopedRegistryValue tile_{HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"TileWallpaper"};
};

// A screen point and the colour the wallpaper must have there.
struct Probe {
  int x, y;
  std::uint32_t colour;
};

struct PlacementCase {
  const char* name;
  const wchar_t* style;
  const wchar_t* tile;
  std::uint32_t style_out;
  std::function<std::vector<Probe>(const CPixelBuffer& picture, Size screen, std::uint32_t desktop)> probes;
};

TEST(WallpaperImage, PlacesABmpWallpaperByItsStyleAtTheScreensSize) {
  const CPixelBuffer picture = DistinctPixels(4, 3);
  TemporaryPath wallpaper(L"guard-wallpaper-picture.bmp");
  ASSERT_TRUE(WriteFileBytes(wallpaper.Wide(), EncodeBmp(picture)));
  const PlacementCase cases[] = {
      {"centred", L"0", L"0", 0,
       [](const CPixelBuffer& p, Size s, std::uint32_t desktop) {
         const int x0 = (s.width - 4) / 2, y0 = (s.height - 3) / 2;
         return std::vector<Probe>{{x0, y0, p.PixelAt(0, 0)}, {x0 + 3, y0 + 2, p.PixelAt(3, 2)},
                                   {x0 - 1, y0, desktop}, {x0, y0 + 3, desktop}, {0, 0, desktop}};
       }},
      {"tiled", L"0", L"1", 1,
       [](const CPixelBuffer& p, Size s, std::uint32_t) {
         return std::vector<Probe>{{0, 0, p.PixelAt(0, 0)}, {5, 4, p.PixelAt(1, 1)},
                                   {s.width - 1, s.height - 1, p.PixelAt((s.width - 1) % 4, (s.height - 1) % 3)}};
       }},
      {"tiling wins over stretching", L"2", L"1", 1,
       [](const CPixelBuffer& p, Size, std::uint32_t) {
         return std::vector<Probe>{{4, 3, p.PixelAt(0, 0)}, {7, 5, p.PixelAt(3, 2)}};
       }},
      {"stretched", L"2", L"0", 2,
       [](const CPixelBuffer& p, Size s, std::uint32_t) {
         return std::vector<Probe>{{0, 0, p.PixelAt(0, 0)}, {s.width - 1, s.height - 1, p.PixelAt(3, 2)}};
       }},
  };
  ClassicWallpaper settings;
  const Size screen = Screen();
  const std::uint32_t desktop = GetSysColor(COLOR_BACKGROUND);
  for (const PlacementCase& c : cases) {
    SCOPED_TRACE(c.name);
    settings.Set(wallpaper.Wide(), c.style, c.tile);
    const Prepared prepared = Prepare();
    ASSERT_TRUE(prepared.result);
    EXPECT_EQ(prepared.style, c.style_out);
    ASSERT_EQ(prepared.format, PictureFormat::Bmp);
    ASSERT_TRUE(prepared.pixels);
    EXPECT_EQ(prepared.size, screen);
    for (const Probe& probe : c.probes(picture, screen, desktop))
      EXPECT_EQ(prepared.pixels->PixelAt(probe.x, probe.y), probe.colour) << probe.x << ", " << probe.y;
    EXPECT_TRUE(prepared.messages.empty());
  }
}

TEST(WallpaperImage, JpegWallpapersAreDrawnToo) {
  CPixelBuffer picture(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) picture.SetPixel(x, y, RGB(180, 40, 70));
  TemporaryPath wallpaper(L"guard-wallpaper-picture.jpg");
  const auto jpeg = EncodeJpeg(picture, 95);
  ASSERT_TRUE(jpeg);
  ASSERT_TRUE(WriteFileBytes(wallpaper.Wide(), *jpeg));
  ClassicWallpaper settings;
  settings.Set(wallpaper.Wide(), L"2", L"0");
  const Prepared prepared = Prepare();
  ASSERT_TRUE(prepared.result);
  EXPECT_EQ(prepared.format, PictureFormat::Bmp);
  ASSERT_TRUE(prepared.pixels);
  EXPECT_TRUE(Near(prepared.pixels->PixelAt(prepared.size.width / 2, prepared.size.height / 2), RGB(180, 40, 70), 4));
}

// The picture scaled by the newer styles: the style number is kept, and the composition gets
// the screen as the system gives it (here one monitor, where span is fill).
TEST(WallpaperImage, FitFillAndSpanWallpapersAreScaledToTheScreen) {
  const CPixelBuffer picture = DistinctPixels(7, 3);
  TemporaryPath wallpaper(L"guard-wallpaper-picture.bmp");
  ASSERT_TRUE(WriteFileBytes(wallpaper.Wide(), EncodeBmp(picture)));
  const struct {
    const wchar_t* style;
    WallpaperStyle expected;
  } cases[] = {{L"6", WallpaperStyle::kFit}, {L"10", WallpaperStyle::kFill}, {L"22", WallpaperStyle::kSpan}};
  ClassicWallpaper settings;
  const Size screen = Screen();
  const std::uint32_t desktop = GetSysColor(COLOR_BACKGROUND);
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.expected));
    settings.Set(wallpaper.Wide(), c.style, L"0");
    const Prepared prepared = Prepare();
    ASSERT_TRUE(prepared.result);
    EXPECT_EQ(prepared.style, static_cast<std::uint32_t>(c.expected));
    ASSERT_TRUE(prepared.pixels);
    EXPECT_EQ(prepared.pixels, ComposeWallpaper(picture, ScreenLayout::SingleMonitor(screen), c.expected, desktop));
    // A wide picture fitted leaves the desktop colour above it; filled, it covers the corner.
    EXPECT_EQ(prepared.pixels->PixelAt(0, 0) == desktop, c.expected == WallpaperStyle::kFit);
  }
}

// When the named file is gone, the copy Windows keeps in the user's themes folder is drawn.
TEST(WallpaperImage, AMissingWallpaperFileFallsBackToTheTranscodedCopy) {
  char themes[MAX_PATH] = {};
  ASSERT_GT(ExpandEnvironmentStringsA("%APPDATA%\\Microsoft\\Windows\\Themes", themes, MAX_PATH), 0u);
  const std::string folder(themes);
  for (std::size_t slash = folder.find('\\', 3); ; slash = folder.find('\\', slash + 1)) {
    CreateDirectoryA(folder.substr(0, slash).c_str(), nullptr);  // each level; existing ones stay
    if (slash == std::string::npos) break;
  }
  const std::wstring transcoded = WideFromAnsi(folder + "\\TranscodedWallpaper");
  ASSERT_FALSE(FileExists(transcoded)) << "the prefix already has a transcoded wallpaper";
  CPixelBuffer picture(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) picture.SetPixel(x, y, RGB(30, 150, 90));
  const auto jpeg = EncodeJpeg(picture, 95);
  ASSERT_TRUE(jpeg);
  ASSERT_TRUE(WriteFileBytes(transcoded, *jpeg));
  struct Remover {
    std::wstring path;
    ~Remover() { DeleteFileW(path.c_str()); }
  } remover{transcoded};

  ClassicWallpaper settings;
  settings.Set(L"C:\\guard-no-such-folder\\gone.jpg", L"2", L"0");
  const Prepared prepared = Prepare();
  ASSERT_TRUE(prepared.result);
  ASSERT_EQ(prepared.format, PictureFormat::Bmp);
  ASSERT_TRUE(prepared.pixels);
  EXPECT_TRUE(Near(prepared.pixels->PixelAt(prepared.size.width / 2, prepared.size.height / 2), RGB(30, 150, 90), 4));
  // A web page is still not drawn, even with the copy there.
  settings.Set(L"C:\\guard-no-such-folder\\page.htm", L"2", L"0");
  EXPECT_EQ(Prepare().format, PictureFormat::Jpeg);
}

TEST(WallpaperImage, WithoutAUsableWallpaperTheDesktopColourIsWrittenAsJpeg) {
  TemporaryPath bmp(L"guard-wallpaper-real.bmp");
  ASSERT_TRUE(WriteFileBytes(bmp.Wide(), EncodeBmp(DistinctPixels(4, 3))));
  // A BMP under a web-page or GIF name is still not drawn: the name decides.
  TemporaryPath htm(L"guard-wallpaper-page.hTm");
  TemporaryPath gif(L"guard-wallpaper-picture.Gif");
  TemporaryPath html(L"guard-wallpaper-page.HTML");
  for (const TemporaryPath* copy : {&htm, &gif, &html}) ASSERT_TRUE(CopyFileW(bmp.Wide().c_str(), copy->Wide().c_str(), FALSE));
  TemporaryPath not_a_picture(L"guard-wallpaper-text.bmp");
  ASSERT_TRUE(WriteFileBytes(not_a_picture.Wide(), std::vector<std::uint8_t>(100, 'x')));

  struct Case {
    const char* name;
    std::optional<std::wstring> path, style, tile;
  };
  const Case cases[] = {
      {"no values", std::nullopt, std::nullopt, std::nullopt},
      {"empty path", L"", L"0", L"0"},
      {"no style value", bmp.Wide(), std::nullopt, L"0"},
      {"htm in mixed case", htm.Wide(), L"0", L"0"},
      {"html", html.Wide(), L"0", L"0"},
      {"gif", gif.Wide(), L"0", L"0"},
      {"missing file", L"C:\\guard-no-such-folder\\w.bmp", L"0", L"0"},
      {"not a picture", not_a_picture.Wide(), L"0", L"0"},
  };
  ClassicWallpaper settings;
  const Size screen = Screen();
  const std::uint32_t desktop = GetSysColor(COLOR_BACKGROUND);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    settings.Set(c.path, c.style, c.tile);
    const Prepared prepared = Prepare();
    ASSERT_TRUE(prepared.result);
    ASSERT_EQ(prepared.format, PictureFormat::Jpeg);
    ASSERT_TRUE(prepared.pixels);
    EXPECT_EQ(prepared.size, screen);
    for (const Probe& probe : {Probe{0, 0, desktop}, Probe{screen.width / 2, screen.height / 2, desktop},
                               Probe{screen.width - 1, screen.height - 1, desktop}})
      EXPECT_TRUE(Near(prepared.pixels->PixelAt(probe.x, probe.y), probe.colour, 2)) << probe.x << ", " << probe.y;
    EXPECT_TRUE(prepared.messages.empty());
  }
}

TEST(WallpaperImage, ActiveDesktopPathsHaveTheirEnvironmentExpanded) {
  const std::wstring key = L"Software\\Microsoft\\Internet Explorer\\Desktop\\General";
  ScopedRegistryValue path(HKEY_CURRENT_USER, key, L"Wallpaper");
  ScopedRegistryValue style(HKEY_CURRENT_USER, key, L"WallpaperStyle");
  ScopedRegistryValue tile(HKEY_CURRENT_USER, key, L"TileWallpaper");
  SetEnvironmentVariableW(L"GUARD_WALLPAPER_FOLDER", L"C:\\guard pictures");
  path.SetText(L"%GUARD_WALLPAPER_FOLDER%\\sky.bmp");
  style.SetText(L"2");
  tile.Remove();
  const WallpaperSetting setting = ReadWallpaperSetting(true);
  EXPECT_EQ(setting.path, "C:\\guard pictures\\sky.bmp");
  EXPECT_EQ(setting.style, WallpaperStyle::kStretched);
  path.Remove();
  EXPECT_EQ(ReadWallpaperSetting(true).path, "");
}

}  // namespace
}  // namespace saver::win
