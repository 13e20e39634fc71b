#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "PictureFixtures.h"
#include "PixelAssertions.h"
#include "imaging/BilinearResampler.h"
#include "imaging/DecodePicture.h"
#include "imaging/PictureReaders.h"
#include "support/CollectedMessages.h"

namespace saver::test {
namespace {

using saver::testing_support::CollectedMessages;

// An old TGA: no identification, no colour map, no footer; it starts with two zero bytes.
Bytes OldTga(const CPixelBuffer& p) {
  Bytes b = TgaFile(p, 2, 24, 0x20, false);
  b[0] = 0;
  b.erase(b.begin() + 18, b.begin() + 21);  // the 3-byte identification
  return b;
}

TEST(DecodePictureTest, ReadsEveryReadFormatFromMemory) {
  const CPixelBuffer p = TestPicture(6, 5, 8);
  const Bytes files[] = {BmpFile(p, 24), PcxFile(p, 8, 3), TgaFile(p, 10, 24, 0, true), OldTga(p),
                         PngFile(p, 2, 8, true)};
  for (const Bytes& file : files) {
    CollectedMessages messages;
    Size size{-1, -1};
    auto pixels = DecodePicture(file, size, messages);
    ASSERT_TRUE(pixels.has_value());
    EXPECT_EQ(size, (Size{6, 5}));
    EXPECT_TRUE(PixelsNear(*pixels, p, 0));
    EXPECT_TRUE(messages.shown.empty());
  }
}

TEST(DecodePictureTest, RefusedFormatsShowTheMessageAndGiveNothing) {
  const Bytes refused[] = {Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, Bytes{'I', 'I', 42, 0, 8, 0, 0, 0},
                           Bytes{'M', 'M', 0, 42, 0, 0, 0, 8}, Bytes{'h', 'e', 'l', 'l', 'o'}, Bytes{}};
  for (const Bytes& data : refused) {
    CollectedMessages messages;
    Size size{3, 3};
    EXPECT_FALSE(DecodePicture(data, size, messages).has_value());
    EXPECT_EQ(size, (Size{0, 0}));
    EXPECT_EQ(messages.shown, std::vector<std::string>{std::string(kUnsupportedPictureMessage)});
  }
}

TEST(DecodePictureTest, DamagedDataOfAReadFormatFailsWithoutTheMessage) {
  Bytes bmp = BmpFile(TestPicture(6, 5), 24);
  bmp.resize(bmp.size() - 1);
  Bytes jpeg = JpegFile(TestPicture(32, 32), JpegKind::Baseline);
  jpeg.resize(jpeg.size() / 2);
  for (const Bytes& data : {bmp, jpeg}) {
    CollectedMessages messages;
    Size size;
    EXPECT_FALSE(DecodePicture(data, size, messages).has_value());
    EXPECT_TRUE(messages.shown.empty());
  }
}

class TempFile {
 public:
  TempFile(const std::string& name, const Bytes& bytes) : path_(::testing::TempDir() + name) {
    std::ofstream(path_, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  ~TempFile() { std::remove(path_.c_str()); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

TEST(DecodePictureTest, FilesAreDetectedWithTheirNames) {
  const CPixelBuffer p = TestPicture(4, 3);
  CollectedMessages messages;
  Size size;
  TempFile tga("img_old.TGA", OldTga(p));
  auto pixels = DecodePictureFile(tga.Path(), size, messages);
  ASSERT_TRUE(pixels.has_value());
  EXPECT_TRUE(PixelsNear(*pixels, p, 0));

  // The same bytes named as WBMP, or unnamed, are WBMP; from a file that is refused silently.
  for (const char* name : {"img_old.wbmp", "img_old.bin"}) {
    TempFile wbmp(name, OldTga(p));
    EXPECT_FALSE(DecodePictureFile(wbmp.Path(), size, messages).has_value()) << name;
  }
  EXPECT_FALSE(DecodePictureFile(::testing::TempDir() + "img_missing.bmp", size, messages).has_value());
  EXPECT_TRUE(messages.shown.empty());

  TempFile gif("img.gif", Bytes{'G', 'I', 'F', '8', '7', 'a'});
  EXPECT_FALSE(DecodePictureFile(gif.Path(), size, messages).has_value());
  EXPECT_EQ(messages.shown.size(), 1u);
}

CPixelBuffer Smooth(int width, int height) {
  CPixelBuffer p(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      p.SetPixel(x, y, (x * 255 / width) | (y * 255 / height) << 8 | static_cast<std::uint32_t>((x + y) * 255 / (width + height)) << 16);
  return p;
}

CPixelBuffer FullDecodeThenResize(const Bytes& file, Size target) {
  auto full = ReadJpeg(file);
  EXPECT_TRUE(full.has_value());
  CPixelBuffer out(target.width, target.height);
  EXPECT_TRUE(ResizeBilinear(full->Data(), full->Width(), full->Height(), full->RowBytes(), out.Data(), target.width,
                             target.height, out.RowBytes(), 3));
  return out;
}

// The scaled path (libjpeg-turbo at 1/8, 1/4 or 1/2, fast inverse DCT, chroma repeated) against
// a full decode resized by the same resampler, in every layout, for targets on either side of
// each scale's output and one the picture does not cover (no scaling). On smooth shading the two
// agree within 1 level on average (0 to 0.97 here) and 6 at every pixel. On a photo-like picture
// they agree within 2.1 levels on average (1.1 to 2.02, the most for 4:2:2 at 1/8, whose chroma
// libjpeg repeats) and 100 at any one pixel: the reduced inverse DCT averages the grain over
// whole blocks where the resize samples two pixels of it, and the two place a step of 190 levels
// a fraction of a pixel apart. Swapped red and blue cost about 55 levels on average.
TEST(DecodePictureTest, ScaledJpegDecodeStaysCloseToFullDecodeAndResize) {
  const struct {
    const char* name;
    JpegKind kind;
    JpegLayout layout;
  } layouts[] = {
      {"4:2:0", JpegKind::Baseline, {}},         {"4:2:2", JpegKind::Baseline, {2, 1, 0}},
      {"4:4:4", JpegKind::Baseline, {1, 1, 0}},  {"progressive", JpegKind::Progressive, {}},
      {"grey", JpegKind::Grey, {}},              {"CMYK", JpegKind::AdobeCmyk, {}},
      {"4:2:0, a restart every MCU", JpegKind::Baseline, {2, 2, 1}},
  };
  // Targets just under each eighth's output (480 x 320: 60 x 40 at 1/8, ... 420 x 280 at 7/8;
  // 640 x 480 likewise), and one larger than the picture.
  const struct {
    const char* name;
    CPixelBuffer picture;
    std::vector<Size> targets;
    double mean;
    int most;
  } cases[] = {
      {"smooth", Smooth(480, 320),
       {{60, 40}, {100, 70}, {170, 115}, {200, 151}, {290, 190}, {350, 230}, {410, 270}, {500, 400}}, 1.0, 6},
      {"photo-like", PhotoLike(640, 480),
       {{80, 60}, {150, 110}, {230, 170}, {300, 225}, {390, 290}, {470, 350}, {550, 410}, {700, 500}}, 2.1, 100},
  };
  for (const auto& layout : layouts) {
    for (const auto& c : cases) {
      const Bytes file = JpegFile(c.picture, layout.kind, layout.layout);
      for (Size target : c.targets) {
        const std::string what = std::string(layout.name) + ", " + c.name + " to " + std::to_string(target.width) +
                                 "x" + std::to_string(target.height);
        CollectedMessages messages;
        Size natural;
        auto fitted = DecodePictureResized(file, target, natural, messages);
        ASSERT_TRUE(fitted.has_value()) << what;
        EXPECT_EQ(natural, (Size{c.picture.Width(), c.picture.Height()})) << what;
        const CPixelBuffer reference = FullDecodeThenResize(file, target);
        EXPECT_LE(MeanDifference(*fitted, reference), c.mean) << what;
        EXPECT_TRUE(PixelsNear(*fitted, reference, c.most)) << what;
      }
    }
  }
}

TEST(DecodePictureTest, ResizedDecodeOfOtherFormatsIsDecodeThenResize) {
  const CPixelBuffer p = TestPicture(10, 8);
  CollectedMessages messages;
  Size natural;
  auto fitted = DecodePictureResized(BmpFile(p, 24), {4, 3}, natural, messages);
  ASSERT_TRUE(fitted.has_value());
  EXPECT_EQ(natural, (Size{10, 8}));
  CPixelBuffer expected(4, 3);
  ASSERT_TRUE(ResizeBilinear(p.Data(), 10, 8, p.RowBytes(), expected.Data(), 4, 3, expected.RowBytes(), 3));
  EXPECT_TRUE(PixelsNear(*fitted, expected, 0));

  EXPECT_FALSE(DecodePictureResized(Bytes{'G', 'I', 'F', '8', '7', 'a'}, {4, 3}, natural, messages).has_value());
  EXPECT_EQ(messages.shown.size(), 1u);
}

}  // namespace
}  // namespace saver::test
