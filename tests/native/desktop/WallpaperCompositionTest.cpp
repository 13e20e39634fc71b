#include <gtest/gtest.h>

#include <vector>

#include "desktop/WallpaperComposition.h"

namespace saver {
namespace {

constexpr std::uint32_t kDesktop = 0x00804020;

// A picture whose every pixel says where it is: red = x, green = y, blue = 0x77.
CPixelBuffer Gradient(int w, int h) {
  CPixelBuffer p(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) p.SetPixel(x, y, 0x770000u | (static_cast<std::uint32_t>(y) << 8) | x);
  }
  return p;
}

TEST(WallpaperComposition, CentredPictureLandsInTheMiddleOverTheDesktopColour) {
  const CPixelBuffer picture = Gradient(100, 100);
  const auto screen = ComposeWallpaper(picture, ScreenLayout::SingleMonitor({800, 600}), WallpaperStyle::kCentred, kDesktop);
  ASSERT_TRUE(screen.has_value());
  ASSERT_EQ(screen->Width(), 800);
  ASSERT_EQ(screen->Height(), 600);
  EXPECT_EQ(screen->PixelAt(350, 250), picture.PixelAt(0, 0));
  EXPECT_EQ(screen->PixelAt(449, 349), picture.PixelAt(99, 99));
  EXPECT_EQ(screen->PixelAt(399, 260), picture.PixelAt(49, 10));
  for (const Point outside : {Point{349, 250}, Point{350, 249}, Point{450, 300}, Point{400, 350}, Point{0, 0}, Point{799, 599}}) {
    EXPECT_EQ(screen->PixelAt(outside.x, outside.y), kDesktop) << outside.x << "," << outside.y;
  }
}

TEST(WallpaperComposition, CentredPictureLargerThanTheScreenIsCut) {
  const CPixelBuffer picture = Gradient(40, 30);
  const auto screen = ComposeWallpaper(picture, ScreenLayout::SingleMonitor({20, 10}), WallpaperStyle::kCentred, kDesktop);
  ASSERT_TRUE(screen.has_value());
  // (20 - 40) / 2 = -10 and (10 - 30) / 2 = -10: the middle of the picture shows.
  EXPECT_EQ(screen->PixelAt(0, 0), picture.PixelAt(10, 10));
  EXPECT_EQ(screen->PixelAt(19, 9), picture.PixelAt(29, 19));
}

TEST(WallpaperComposition, TilesRepeatFromTheCornerAndAreCutAtTheEdges) {
  const CPixelBuffer picture = Gradient(30, 20);
  const auto screen = ComposeWallpaper(picture, ScreenLayout::SingleMonitor({100, 50}), WallpaperStyle::kTiled, kDesktop);
  ASSERT_TRUE(screen.has_value());
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 100; ++x) {
      ASSERT_EQ(screen->PixelAt(x, y), picture.PixelAt(x % 30, y % 20)) << x << "," << y;
    }
  }
}

TEST(WallpaperComposition, StretchingCoversTheScreen) {
  const CPixelBuffer picture = Gradient(2, 3);
  const auto screen = ComposeWallpaper(picture, ScreenLayout::SingleMonitor({4, 6}), WallpaperStyle::kStretched, kDesktop);
  ASSERT_TRUE(screen.has_value());
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(screen->PixelAt(x, y), picture.PixelAt(x / 2, y / 2)) << x << "," << y;
  }
  const auto shrunk = ComposeWallpaper(Gradient(8, 8), ScreenLayout::SingleMonitor({2, 2}), WallpaperStyle::kStretched, kDesktop);
  ASSERT_TRUE(shrunk.has_value());
  EXPECT_EQ(shrunk->PixelAt(1, 1), Gradient(8, 8).PixelAt(4, 4));
}

// Four bands of 10 columns or rows, one colour each, across a 40 x 10 or 10 x 40 picture.
constexpr std::uint32_t kBands[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};

CPixelBuffer Bands(bool across) {
  CPixelBuffer p(across ? 40 : 10, across ? 10 : 40);
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x) p.SetPixel(x, y, kBands[(across ? x : y) / 10]);
  }
  return p;
}

// A screen point and the colour it must have.
struct Probe {
  int x, y;
  std::uint32_t colour;
};

TEST(WallpaperComposition, FitFillAndSpanScaleKeepingTheAspectAndCentre) {
  const ScreenLayout square = ScreenLayout::SingleMonitor({20, 20});
  // A second monitor to the right of the primary one: the desktop is 40 x 20.
  const ScreenLayout right_neighbour{{20, 20}, Rect{0, 0, 40, 20}};
  const struct {
    const char* name;
    WallpaperStyle style;
    bool across;
    ScreenLayout layout;
    std::vector<Probe> probes;
  } cases[] = {
      // 40 x 10 fitted: 20 x 5 from row (20 - 5) / 2 = 7, desktop colour above and below.
      {"fit, wide picture", WallpaperStyle::kFit, true, square,
       {{0, 6, kDesktop}, {0, 7, kBands[0]}, {19, 11, kBands[3]}, {19, 12, kDesktop}, {7, 9, kBands[1]}}},
      {"fit, tall picture", WallpaperStyle::kFit, false, square,
       {{6, 0, kDesktop}, {7, 0, kBands[0]}, {11, 19, kBands[3]}, {12, 19, kDesktop}, {9, 12, kBands[2]}}},
      // 40 x 10 filled: 80 x 20 from column -30, so picture columns 15 to 25 show.
      {"fill, wide picture", WallpaperStyle::kFill, true, square,
       {{0, 0, kBands[1]}, {8, 19, kBands[1]}, {11, 0, kBands[2]}, {19, 19, kBands[2]}}},
      {"fill, tall picture", WallpaperStyle::kFill, false, square,
       {{0, 0, kBands[1]}, {19, 8, kBands[1]}, {0, 11, kBands[2]}, {19, 19, kBands[2]}}},
      // Filled over 40 x 20 instead: 80 x 20 from column -20, picture columns 10 to 20 on the
      // primary screen, the next band on the right-hand monitor.
      {"span over two monitors", WallpaperStyle::kSpan, true, right_neighbour,
       {{0, 0, kBands[1]}, {19, 19, kBands[1]}, {10, 10, kBands[1]}}},
  };
  for (const auto& c : cases) {
    const auto screen = ComposeWallpaper(Bands(c.across), c.layout, c.style, kDesktop);
    ASSERT_TRUE(screen.has_value()) << c.name;
    ASSERT_EQ(screen->Width(), 20);
    ASSERT_EQ(screen->Height(), 20);
    for (const Probe& p : c.probes) EXPECT_EQ(screen->PixelAt(p.x, p.y), p.colour) << c.name << " at " << p.x << "," << p.y;
  }
}

TEST(WallpaperComposition, SpanOnOneMonitorIsFill) {
  for (const Size screen : {Size{20, 20}, Size{640, 360}, Size{300, 900}}) {
    for (const CPixelBuffer& picture : {Bands(true), Bands(false), Gradient(97, 61)}) {
      const auto layout = ScreenLayout::SingleMonitor(screen);
      EXPECT_EQ(ComposeWallpaper(picture, layout, WallpaperStyle::kSpan, kDesktop),
                ComposeWallpaper(picture, layout, WallpaperStyle::kFill, kDesktop));
    }
  }
}

TEST(WallpaperComposition, AScaledPictureOfTheScreensAspectCoversItExactly) {
  const CPixelBuffer picture = Gradient(40, 30);
  for (auto style : {WallpaperStyle::kFit, WallpaperStyle::kFill}) {
    const auto same = ComposeWallpaper(picture, ScreenLayout::SingleMonitor({40, 30}), style, kDesktop);
    ASSERT_TRUE(same.has_value());
    EXPECT_EQ(*same, picture);
    const auto doubled = ComposeWallpaper(picture, ScreenLayout::SingleMonitor({80, 60}), style, kDesktop);
    ASSERT_TRUE(doubled.has_value());
    for (const Point corner : {Point{0, 0}, Point{79, 0}, Point{0, 59}, Point{79, 59}}) {
      EXPECT_EQ(doubled->PixelAt(corner.x, corner.y), picture.PixelAt(corner.x / 2, corner.y / 2));
    }
  }
}

// A one-pixel-high picture filled onto a screen would be millions of pixels wide at full scale;
// only the part that shows is made.
TEST(WallpaperComposition, FillingWithAnExtremeAspectStaysCheap) {
  CPixelBuffer strip(30000, 1);
  for (int x = 0; x < strip.Width(); ++x) strip.SetPixel(x, 0, x < 15000 ? kBands[0] : kBands[1]);
  const auto screen = ComposeWallpaper(strip, ScreenLayout::SingleMonitor({1920, 1080}), WallpaperStyle::kFill, kDesktop);
  ASSERT_TRUE(screen.has_value());
  EXPECT_EQ(screen->PixelAt(100, 500), kBands[0]);
  EXPECT_EQ(screen->PixelAt(1900, 500), kBands[1]);
}

TEST(WallpaperComposition, EmptyPictureLeavesThePlainDesktopInEveryStyle) {
  for (auto style : {WallpaperStyle::kCentred, WallpaperStyle::kTiled, WallpaperStyle::kStretched,
                     WallpaperStyle::kFit, WallpaperStyle::kFill, WallpaperStyle::kSpan}) {
    const auto screen = ComposeWallpaper(CPixelBuffer{}, ScreenLayout::SingleMonitor({16, 9}), style, kDesktop);
    ASSERT_TRUE(screen.has_value());
    EXPECT_EQ(*screen, *PlainDesktop({16, 9}, kDesktop));
  }
  EXPECT_EQ(PlainDesktop({3, 2}, kDesktop)->PixelAt(2, 1), kDesktop);
}

TEST(WallpaperComposition, EmptyOrAbsurdScreensGiveNothing) {
  const CPixelBuffer picture = Gradient(4, 4);
  for (const Size screen : {Size{0, 600}, Size{800, 0}, Size{-5, 5}, Size{100000, 100000}}) {
    EXPECT_FALSE(ComposeWallpaper(picture, ScreenLayout::SingleMonitor(screen), WallpaperStyle::kTiled, kDesktop).has_value())
        << screen.width << "x" << screen.height;
  }
}

}  // namespace
}  // namespace saver
