#include <string>

#include <gtest/gtest.h>
#include <png.h>

#include "PictureFixtures.h"
#include "PixelAssertions.h"
#include "imaging/PictureReaders.h"

namespace saver::test {
namespace {

// Grey levels a PNG of `depth` bits holds exactly (as the red channel of a picture).
CPixelBuffer GreyLevels(int width, int height, int depth) {
  CPixelBuffer p(width, height);
  const int levels = 1 << depth;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint32_t v = ((x + y * width) % levels) * 255 / (levels - 1);
      p.SetPixel(x, y, v | v << 8 | v << 16);
    }
  return p;
}

struct PngCase {
  std::string name;
  int colour_type, depth;
  bool interlaced;
  int colours;
};

TEST(PngReaderTest, ReadsEveryColourTypeAndDepth) {
  const PngCase cases[] = {
      {"Grey1", PNG_COLOR_TYPE_GRAY, 1, false, 0},     {"Grey2", PNG_COLOR_TYPE_GRAY, 2, true, 0},
      {"Grey4", PNG_COLOR_TYPE_GRAY, 4, false, 0},     {"Grey8", PNG_COLOR_TYPE_GRAY, 8, true, 0},
      {"Grey16", PNG_COLOR_TYPE_GRAY, 16, false, 0},   {"Rgb8", PNG_COLOR_TYPE_RGB, 8, false, 0},
      {"Rgb8Interlaced", PNG_COLOR_TYPE_RGB, 8, true, 0}, {"Rgb16", PNG_COLOR_TYPE_RGB, 16, true, 0},
      {"Palette1", PNG_COLOR_TYPE_PALETTE, 1, false, 2}, {"Palette2", PNG_COLOR_TYPE_PALETTE, 2, false, 4},
      {"Palette4", PNG_COLOR_TYPE_PALETTE, 4, true, 16}, {"Palette8", PNG_COLOR_TYPE_PALETTE, 8, false, 200},
      {"GreyAlpha8", PNG_COLOR_TYPE_GA, 8, false, 0},  {"GreyAlpha16", PNG_COLOR_TYPE_GA, 16, true, 0},
      {"RgbAlpha8", PNG_COLOR_TYPE_RGBA, 8, true, 0},  {"RgbAlpha16", PNG_COLOR_TYPE_RGBA, 16, false, 0},
  };
  for (const PngCase& c : cases) {
    const bool grey = !(c.colour_type & PNG_COLOR_MASK_COLOR);
    CPixelBuffer picture = grey ? GreyLevels(13, 9, std::min(c.depth, 8)) : TestPicture(13, 9, c.colours);
    // Opaque alpha everywhere: the colours must come through untouched.
    auto decoded = ReadPng(PngFile(picture, c.colour_type, c.depth, c.interlaced, c.colours));
    ASSERT_TRUE(decoded.has_value()) << c.name;
    EXPECT_TRUE(PixelsNear(*decoded, picture, 0)) << c.name;
  }
}

TEST(PngReaderTest, FlattensTransparencyOntoBlack) {
  CPixelBuffer white(3, 1);
  for (int x = 0; x < 3; ++x) white.SetPixel(x, 0, 0xFFFFFF);
  auto decoded = ReadPng(PngFile(white, PNG_COLOR_TYPE_RGBA, 8, false, 0, {0, 128, 255}));
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->PixelAt(0, 0), 0u);
  const std::uint8_t half = decoded->Row(0)[3];
  EXPECT_GT(half, 0);
  EXPECT_LT(half, 255);
  EXPECT_EQ(decoded->PixelAt(2, 0), 0xFFFFFFu);

  CPixelBuffer p = TestPicture(5, 4, 4);  // palette entry 2 fully transparent
  auto keyed = ReadPng(PngFile(p, PNG_COLOR_TYPE_PALETTE, 8, false, 4, {}, 2));
  ASSERT_TRUE(keyed.has_value());
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(keyed->PixelAt(x, y), TestPictureIndex(x, y, 4) == 2 ? 0u : p.PixelAt(x, y)) << x << "," << y;
}

// The reader refuses a header whose pixels the rest of the file could not inflate to; a picture
// of one colour, which deflate packs near its limit, must still read.
TEST(PngReaderTest, OneColourPicturePackedNearDeflatesLimitReads) {
  const CPixelBuffer black(4000, 1000);
  const Bytes file = PngFile(black, 0, 8, false);
  const auto decoded = ReadPng(file);
  ASSERT_TRUE(decoded.has_value()) << file.size() << " bytes";
  EXPECT_EQ(decoded->PixelAt(3999, 999), 0u);
  EXPECT_LT(file.size(), 4000u * 1000 / 200);  // packed hundreds of times: the case is near the limit
}

TEST(PngReaderTest, RefusesTruncatedAndCorruptData) {
  const Bytes file = PngFile(TestPicture(16, 16), PNG_COLOR_TYPE_RGB, 8, false);
  for (std::size_t size = 0; size < file.size() - 12; size += 7) {  // 12: the IEND chunk
    PictureRefusal refusal;
    ASSERT_FALSE(ReadPng({file.data(), size}, &refusal).has_value()) << "cut at " << size;
    ASSERT_EQ(refusal.message.rfind("PNG decoder: ", 0), 0u) << "cut at " << size << ": " << refusal.message;
  }
  Bytes flipped = file;
  flipped[file.size() / 2] ^= 0x40;  // inside the compressed pixels: CRC or inflate fails
  EXPECT_FALSE(ReadPng(flipped).has_value());
}

TEST(JpegReaderTest, ReadsEveryKindWithinCompressionTolerance) {
  // Smooth pictures keep JPEG error small; 16 levels is far below any real mistake.
  CPixelBuffer smooth(40, 24);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 40; ++x) smooth.SetPixel(x, y, (x * 6) | (y * 10) << 8 | static_cast<std::uint32_t>(200 - x * 2 - y) << 16);
  const struct {
    const char* name;
    JpegKind kind;
    CPixelBuffer expected;
  } cases[] = {
      {"Baseline", JpegKind::Baseline, smooth},
      {"Progressive", JpegKind::Progressive, smooth},
      {"Grey", JpegKind::Grey, GreyFromRed(smooth)},
      {"AdobeCmyk", JpegKind::AdobeCmyk, smooth},
  };
  for (const auto& c : cases) {
    auto decoded = ReadJpeg(JpegFile(smooth, c.kind));
    ASSERT_TRUE(decoded.has_value()) << c.name;
    EXPECT_TRUE(PixelsNear(*decoded, c.expected, 16)) << c.name;
  }
}

TEST(JpegReaderTest, RefusesTruncatedAndCorruptData) {
  CPixelBuffer p = TestPicture(64, 48);
  for (JpegKind kind : {JpegKind::Baseline, JpegKind::Progressive}) {
    const Bytes file = JpegFile(p, kind);
    for (std::size_t size : {std::size_t{0}, std::size_t{3}, std::size_t{100}, file.size() / 2, file.size() - 2})
      EXPECT_FALSE(ReadJpeg({file.data(), size}).has_value()) << "cut at " << size;
  }
  Bytes bad_marker = JpegFile(p, JpegKind::Baseline);
  bad_marker[2] = 0x00;  // the first marker is no marker
  EXPECT_FALSE(ReadJpeg(bad_marker).has_value());
}

}  // namespace
}  // namespace saver::test
