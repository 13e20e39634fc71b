#include <gtest/gtest.h>

#include "PictureFixtures.h"
#include "PixelAssertions.h"
#include "imaging/BilinearResampler.h"
#include "imaging/KeyedDraw.h"

namespace saver::test {
namespace {

using Grey = std::vector<std::uint8_t>;

Grey ResizeGrey(const Grey& src, int sw, int sh, int dw, int dh) {
  Grey out(static_cast<std::size_t>(dw) * dh);
  EXPECT_TRUE(ResizeBilinear(src.data(), sw, sh, sw, out.data(), dw, dh, dw, 1));
  return out;
}

// Expected values worked out by hand: destination pixel d samples source position
// (d + 0.5) * S / D - 0.5, clamped, and mixes its two neighbours linearly.
TEST(ResizeTest, MatchesHandComputedBilinearValues) {
  // 2 x 2 -> 4 x 4: columns sample 0, 0.25, 0.75, 1 (clamped at both ends), rows likewise.
  EXPECT_EQ(ResizeGrey({0, 100, 200, 40}, 2, 2, 4, 4),
            (Grey{0, 25, 75, 100,       // row 0
                  50, 59, 76, 85,       // 0.75 * row 0 + 0.25 * row 1 (58.75, 76.25 rounded)
                  150, 126, 79, 55,     // 0.25 * row 0 + 0.75 * row 1 (126.25, 78.75 rounded)
                  200, 160, 80, 40}));  // row 1
  // 4 -> 2 samples 0.5 and 2.5.
  EXPECT_EQ(ResizeGrey({10, 20, 30, 50}, 4, 1, 2, 1), (Grey{15, 40}));
  // 3 -> 2 samples 0.25 and 1.75.
  EXPECT_EQ(ResizeGrey({0, 100, 200}, 3, 1, 2, 1), (Grey{25, 175}));
  // 3 x 3 -> 2 x 2 samples 0.25 and 1.75 both ways: columns 25, 175 / 50, 110 / 150, 75 of the
  // rows, then 31.25, 158.75 and 125, 83.75.
  EXPECT_EQ(ResizeGrey({0, 100, 200, 40, 80, 120, 200, 0, 100}, 3, 3, 2, 2), (Grey{31, 159, 125, 84}));
  // One pixel fills any size.
  EXPECT_EQ(ResizeGrey({77}, 1, 1, 3, 2), Grey(6, 77));
}

TEST(ResizeTest, SameSizeIsAnExactCopyAndChannelsStayApart) {
  CPixelBuffer p = TestPicture(9, 7);
  CPixelBuffer out(9, 7);
  ASSERT_TRUE(ResizeBilinear(p.Data(), 9, 7, p.RowBytes(), out.Data(), 9, 7, out.RowBytes(), 3));
  EXPECT_TRUE(PixelsNear(out, p, 0));

  CPixelBuffer two(2, 1), four(4, 1);
  two.SetPixel(0, 0, 0x0000FF);
  two.SetPixel(1, 0, 0xFF0000);
  ASSERT_TRUE(ResizeBilinear(two.Data(), 2, 1, two.RowBytes(), four.Data(), 4, 1, four.RowBytes(), 3));
  EXPECT_EQ(four.PixelAt(1, 0), 0x4000BFu);  // 0.75 of the red pixel, 0.25 of the blue one
}

TEST(ResizeTest, RefusesImpossibleArguments) {
  std::uint8_t src[12] = {}, dst[12] = {};
  EXPECT_FALSE(ResizeBilinear(nullptr, 2, 2, 6, dst, 2, 2, 6, 3));
  EXPECT_FALSE(ResizeBilinear(src, 2, 2, 6, nullptr, 2, 2, 6, 3));
  EXPECT_FALSE(ResizeBilinear(src, 0, 2, 6, dst, 2, 2, 6, 3));
  EXPECT_FALSE(ResizeBilinear(src, 2, 2, 6, dst, 2, 0, 6, 3));
  EXPECT_FALSE(ResizeBilinear(src, 2, 2, 6, dst, -2, 2, 6, 3));
  EXPECT_FALSE(ResizeBilinear(src, 2, 2, 5, dst, 2, 2, 6, 3));  // row shorter than the width
  EXPECT_FALSE(ResizeBilinear(src, 2, 2, 6, dst, 2, 2, 6, 5));
}

TEST(KeyedDrawTest, SkipsKeyPixelsAndClipsAtEveryEdge) {
  constexpr std::uint32_t kBack = 0x102030, kInk = 0x0000FF;
  CPixelBuffer src(3, 2);
  // Row 0: ink, key, ink. Row 1: key, ink, key.
  for (int x = 0; x < 3; ++x) {
    src.SetPixel(x, 0, x == 1 ? kTextKeyColor : kInk);
    src.SetPixel(x, 1, x == 1 ? kInk : kTextKeyColor);
  }
  for (Point at : {Point{1, 1}, Point{-1, -1}, Point{3, 3}, Point{-3, 0}, Point{5, 4}}) {
    CPixelBuffer dst(5, 4);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 5; ++x) dst.SetPixel(x, y, kBack);
    DrawKeyed(dst, src, at, kTextKeyColor);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 5; ++x) {
        const int sx = x - at.x, sy = y - at.y;
        const bool inside = sx >= 0 && sx < 3 && sy >= 0 && sy < 2;
        const std::uint32_t expected = inside && src.PixelAt(sx, sy) != kTextKeyColor ? kInk : kBack;
        EXPECT_EQ(dst.PixelAt(x, y), expected) << "at (" << at.x << "," << at.y << ") pixel " << x << "," << y;
      }
  }
}

TEST(KeyedDrawTest, KeyComparesAllThreeChannelsExactly) {
  CPixelBuffer src(3, 1), dst(3, 1);
  src.SetPixel(0, 0, 0xE0E0E0);
  src.SetPixel(1, 0, 0xE0E0E1);
  src.SetPixel(2, 0, 0xE1E0E0);
  DrawKeyed(dst, src, {0, 0}, kTextKeyColor);
  EXPECT_EQ(dst.PixelAt(0, 0), 0u);
  EXPECT_EQ(dst.PixelAt(1, 0), 0xE0E0E1u);
  EXPECT_EQ(dst.PixelAt(2, 0), 0xE1E0E0u);
}

}  // namespace
}  // namespace saver::test
