#include <gtest/gtest.h>

#include "PictureFixtures.h"
#include "PixelAssertions.h"
#include "imaging/PictureReaders.h"
#include "imaging/PictureWriters.h"

namespace saver::test {
namespace {

TEST(PictureWritersTest, BmpRoundTripsExactlyAtEveryRowPadding) {
  for (int width : {1, 2, 3, 4, 5}) {
    const CPixelBuffer p = TestPicture(width, 3);
    auto decoded = ReadBmp(EncodeBmp(p));
    ASSERT_TRUE(decoded.has_value()) << width;
    EXPECT_TRUE(PixelsNear(*decoded, p, 0)) << width;
  }
  EXPECT_TRUE(EncodeBmp(CPixelBuffer()).empty());
}

TEST(PictureWritersTest, JpegQualityTradesSizeForFidelity) {
  CPixelBuffer p(64, 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) p.SetPixel(x, y, (x * 4) | (y * 5) << 8 | static_cast<std::uint32_t>(x ^ y) << 16);
  auto low = EncodeJpeg(p, 10), high = EncodeJpeg(p, 95);
  ASSERT_TRUE(low && high);
  EXPECT_LT(low->size(), high->size());
  auto low_pixels = ReadJpeg(*low), high_pixels = ReadJpeg(*high);
  ASSERT_TRUE(low_pixels && high_pixels);
  auto error = [&](const CPixelBuffer& d) {
    long sum = 0;
    for (std::size_t i = 0; i < p.ByteCount(); ++i) sum += std::abs(d.Data()[i] - p.Data()[i]);
    return sum;
  };
  EXPECT_LT(error(*high_pixels), error(*low_pixels));
  EXPECT_TRUE(PixelsNear(*high_pixels, p, 24));
  EXPECT_FALSE(EncodeJpeg(CPixelBuffer(), 80).has_value());
}

}  // namespace
}  // namespace saver::test
