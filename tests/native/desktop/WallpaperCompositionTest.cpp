#include <gtest/gtest.h>

#include "desktop/WallpaperComposition.h"

namespace saver {
namespace {

constexpr std::uint32_t kDesktop = 0x00804020;

// A picture whose every pixel says where it is: red = x, green = y, blue = 0x77.
PixelBuffer Gradient(int w, int h) {
  PixelBuffer p(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) p.SetPixel(x, y, 0x770000u | (static_cast<std::uint32_t>(y) << 8) | x);
  }
  return p;
}

TEST(WallpaperComposition, CentredPictureLandsInTheMiddleOverTheDesktopColour) {
  const PixelBuffer picture = Gradient(100, 100);
  const auto screen = ComposeWallpaper(picture, {800, 600}, WallpaperStyle::kCentred, kDesktop);
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
  const PixelBuffer picture = Gradient(40, 30);
  const auto screen = ComposeWallpaper(picture, {20, 10}, WallpaperStyle::kCentred, kDesktop);
  ASSERT_TRUE(screen.has_value());
  // (20 - 40) / 2 = -10 and (10 - 30) / 2 = -10: the middle of the picture shows.
  EXPECT_EQ(screen->PixelAt(0, 0), picture.PixelAt(10, 10));
  EXPECT_EQ(screen->PixelAt(19, 9), picture.PixelAt(29, 19));
}

TEST(WallpaperComposition, TilesRepeatFromTheCornerAndAreCutAtTheEdges) {
  const PixelBuffer picture = Gradient(30, 20);
  const auto screen = ComposeWallpaper(picture, {100, 50}, WallpaperStyle::kTiled, kDesktop);
  ASSERT_TRUE(screen.has_value());
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 100; ++x) {
      ASSERT_EQ(screen->PixelAt(x, y), picture.PixelAt(x % 30, y % 20)) << x << "," << y;
    }
  }
}

TEST(WallpaperComposition, StretchingCoversTheScreen) {
  const PixelBuffer picture = Gradient(2, 3);
  const auto screen = ComposeWallpaper(picture, {4, 6}, WallpaperStyle::kStretched, kDesktop);
  ASSERT_TRUE(screen.has_value());
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(screen->PixelAt(x, y), picture.PixelAt(x / 2, y / 2)) << x << "," << y;
  }
  const auto shrunk = ComposeWallpaper(Gradient(8, 8), {2, 2}, WallpaperStyle::kStretched, kDesktop);
  ASSERT_TRUE(shrunk.has_value());
  EXPECT_EQ(shrunk->PixelAt(1, 1), Gradient(8, 8).PixelAt(4, 4));
}

TEST(WallpaperComposition, EmptyPictureLeavesThePlainDesktopInEveryStyle) {
  for (auto style : {WallpaperStyle::kCentred, WallpaperStyle::kTiled, WallpaperStyle::kStretched}) {
    const auto screen = ComposeWallpaper(PixelBuffer{}, {16, 9}, style, kDesktop);
    ASSERT_TRUE(screen.has_value());
    EXPECT_EQ(*screen, *PlainDesktop({16, 9}, kDesktop));
  }
  EXPECT_EQ(PlainDesktop({3, 2}, kDesktop)->PixelAt(2, 1), kDesktop);
}

TEST(WallpaperComposition, EmptyOrAbsurdScreensGiveNothing) {
  const PixelBuffer picture = Gradient(4, 4);
  for (const Size screen : {Size{0, 600}, Size{800, 0}, Size{-5, 5}, Size{100000, 100000}}) {
    EXPECT_FALSE(ComposeWallpaper(picture, screen, WallpaperStyle::kTiled, kDesktop).has_value())
        << screen.width << "x" << screen.height;
  }
}

}  // namespace
}  // namespace saver
