#include <gtest/gtest.h>

#include "PictureFixtures.h"
#include "PixelAssertions.h"
#include "imaging/DecodePicture.h"
#include "imaging/ImageRGB.h"
#include "support/CollectedMessages.h"

namespace saver::test {
namespace {

using saver::testing_support::CollectedMessages;

TEST(ImageRGBTest, LoadResizeAndFreeFollowTheBufferLifecycle) {
  const CPixelBuffer p = TestPicture(8, 6);
  CollectedMessages messages;
  CImageRGB image;
  ASSERT_TRUE(image.LoadImage(BmpFile(p, 24), messages));
  EXPECT_EQ(image.GetSize(), (Size{8, 6}));
  ASSERT_NE(image.Decoded(), nullptr);
  EXPECT_TRUE(PixelsNear(*image.Decoded(), p, 0));
  EXPECT_EQ(image.Resized(), nullptr);

  ASSERT_TRUE(image.ResizeImage(3, 2));
  ASSERT_NE(image.Resized(), nullptr);
  EXPECT_EQ(image.Resized()->Width(), 3);
  EXPECT_EQ(image.Resized()->Height(), 2);

  image.FreePixels(true);  // the resized pixels go, the decoded stay
  EXPECT_EQ(image.Resized(), nullptr);
  EXPECT_NE(image.Decoded(), nullptr);
  EXPECT_EQ(image.GetSize(), (Size{8, 6}));

  image.FreePixels(false);
  EXPECT_EQ(image.Decoded(), nullptr);
  EXPECT_EQ(image.GetSize(), (Size{0, 0}));
  EXPECT_FALSE(image.ResizeImage(3, 2)) << "nothing left to resize";
}

TEST(ImageRGBTest, ResizeRefusesAZeroSide) {
  CollectedMessages messages;
  CImageRGB image;
  ASSERT_TRUE(image.LoadImage(BmpFile(TestPicture(4, 4), 24), messages));
  EXPECT_FALSE(image.ResizeImage(5, 0));
  EXPECT_FALSE(image.ResizeImage(0, 5));
  EXPECT_EQ(image.Resized(), nullptr);
  EXPECT_NE(image.Decoded(), nullptr);
}

TEST(ImageRGBTest, LoadImageResizedKeepsOnlyTheResizedPixelsAndTheNaturalSize) {
  CollectedMessages messages;
  CImageRGB image;
  const Bytes jpeg = JpegFile(TestPicture(64, 40), JpegKind::Baseline);
  EXPECT_EQ(image.LoadImageResized(jpeg, 16, 10, messages), CImageRGB::LoadResult::Loaded);
  EXPECT_EQ(image.GetSize(), (Size{64, 40}));
  EXPECT_EQ(image.Decoded(), nullptr);
  ASSERT_NE(image.Resized(), nullptr);
  EXPECT_EQ(image.Resized()->Width(), 16);

  EXPECT_EQ(image.LoadImageResized(jpeg, 16, 0, messages), CImageRGB::LoadResult::ResizeFailed);
  Bytes broken = jpeg;
  broken.resize(jpeg.size() / 2);
  EXPECT_EQ(image.LoadImageResized(broken, 16, 10, messages), CImageRGB::LoadResult::LoadFailed);
  EXPECT_TRUE(messages.shown.empty());
}

TEST(ImageRGBTest, MeasureGivesTheNaturalSizeAndLeavesTheImageEmpty) {
  CollectedMessages messages;
  const CPixelBuffer p = TestPicture(40, 24, 16);
  const Bytes files[] = {JpegFile(p, JpegKind::Baseline), JpegFile(p, JpegKind::Progressive), PngFile(p, 2, 8, false),
                         BmpFile(p, 8, false, 16)};
  for (const Bytes& file : files) {
    for (const JpegDataCheck check : {JpegDataCheck::Whole, JpegDataCheck::HeaderAndEnd}) {
      CImageRGB image;
      Size size;
      ASSERT_TRUE(image.MeasureImage(file, size, messages, check));
      EXPECT_EQ(size, (Size{40, 24}));
      EXPECT_EQ(image.Decoded(), nullptr);
      EXPECT_EQ(image.Resized(), nullptr);
    }
  }
}

// 64 one bits (stuffed FF 00 pairs) from `at` on: longer than any code plus its extra bits,
// so the decoder meets an all-ones code, which no table assigns.
Bytes WithBadHuffmanCode(Bytes file, std::size_t at) {
  for (std::size_t i = 0; i < 16; i += 2) {
    file.at(at + i) = 0xFF;
    file.at(at + i + 1) = 0x00;
  }
  return file;
}

// Measuring reads less than a full decode but must judge damaged data the same way. Measuring by
// the header and the end of the data still refuses what either shows damaged (a cut file above
// all); damage inside a scan is left to the decode.
TEST(ImageRGBTest, MeasureRefusesWhatAFullDecodeRefuses) {
  const CPixelBuffer p = TestPicture(64, 48);
  const Bytes baseline = JpegFile(p, JpegKind::Baseline);
  const Bytes progressive = JpegFile(p, JpegKind::Progressive);
  const std::size_t baseline_data = ScanData(baseline, LastMarker(baseline, 0xDA));
  const std::size_t last_scan = LastMarker(progressive, 0xDA);
  const std::size_t last_scan_data = ScanData(progressive, last_scan);
  ASSERT_LT(last_scan_data + 16, LastMarker(progressive, 0xD9)) << "the last scan is long enough to damage";

  auto cut = [](const Bytes& file, std::size_t size) { return Bytes(file.begin(), file.begin() + size); };
  auto markers_inside = [](Bytes file) {
    for (std::size_t i = file.size() / 2; i < file.size() / 2 + 40; ++i) file[i] = 0xFF;
    return file;
  };
  const struct {
    const char* name;
    Bytes file;
    bool seen_in_header_or_end;
  } cases[] = {
      {"baseline cut in its scan", cut(baseline, baseline.size() * 3 / 4), true},
      {"baseline cut before its end marker", cut(baseline, baseline.size() - 2), true},
      {"progressive cut in a scan", cut(progressive, progressive.size() * 3 / 4), true},
      {"progressive cut in its last scan", cut(progressive, last_scan_data + 8), true},
      {"baseline with markers in its data", markers_inside(baseline), false},
      {"progressive with markers in its data", markers_inside(progressive), false},
      {"baseline with a bad Huffman code", WithBadHuffmanCode(baseline, baseline_data + 8), false},
      {"progressive with a bad code in its last scan", WithBadHuffmanCode(progressive, last_scan_data), false},
      // Successive approximation by 14 bits, beyond any 8-bit sample.
      {"progressive with an impossible last scan header", WithByte(progressive, last_scan_data - 1, 0x0E), false},
      {"baseline of 12-bit samples", WithByte(baseline, LastMarker(baseline, 0xC0) + 4, 12), true},
      {"baseline whose first marker is no marker", WithByte(baseline, 2, 0x00), true},
  };
  for (const auto& c : cases) {
    CollectedMessages messages;
    CImageRGB image;
    Size size{-1, -1};
    const bool decodes = image.LoadImage(c.file, messages);
    EXPECT_FALSE(decodes) << c.name;
    EXPECT_EQ(image.MeasureImage(c.file, size, messages), decodes) << c.name;
    EXPECT_EQ(size, (Size{-1, -1})) << c.name << ": a failed measure leaves the size alone";
    EXPECT_EQ(image.Decoded(), nullptr) << c.name;
    EXPECT_EQ(image.MeasureImage(c.file, size, messages, JpegDataCheck::HeaderAndEnd), !c.seen_in_header_or_end)
        << c.name;
  }
}

TEST(ImageRGBTest, SetDecodedPixelsReplacesWhatWasHeld) {
  CollectedMessages messages;
  CImageRGB image;
  ASSERT_TRUE(image.LoadImage(BmpFile(TestPicture(8, 6), 24), messages));
  ASSERT_TRUE(image.ResizeImage(2, 2));
  const CPixelBuffer text = TestPicture(5, 3);
  image.SetDecodedPixels(text);
  EXPECT_EQ(image.GetSize(), (Size{5, 3}));
  EXPECT_EQ(image.Resized(), nullptr);
  EXPECT_TRUE(PixelsNear(*image.Decoded(), text, 0));
}

TEST(ImageRGBTest, TakeImageGivesOwnSizeOrResizedPixelsAndTheNaturalSize) {
  const CPixelBuffer p = TestPicture(8, 6);
  const Bytes bmp = BmpFile(p, 24);
  CollectedMessages messages;
  CImageRGB image;
  Size natural;
  auto own = image.TakeImage(bmp, {0, 0}, natural, messages);
  ASSERT_TRUE(own.has_value());
  EXPECT_TRUE(PixelsNear(*own, p, 0));
  EXPECT_EQ(natural, (Size{8, 6}));

  natural = {};
  auto resized = image.TakeImage(bmp, {3, 2}, natural, messages);
  ASSERT_TRUE(resized.has_value());
  EXPECT_EQ(resized->Width(), 3);
  EXPECT_EQ(natural, (Size{8, 6}));
  EXPECT_EQ(image.Decoded(), nullptr);
  EXPECT_EQ(image.Resized(), nullptr);
  EXPECT_TRUE(messages.shown.empty());

  const struct {
    Bytes data;
    Size target;
    std::vector<std::string> shown;
  } failures[] = {
      {Bytes{'G', 'I', 'F', '8', '9', 'a'}, {0, 0}, {std::string(kUnsupportedPictureMessage), std::string(kLoadImageFailedMessage)}},
      {Bytes(bmp.begin(), bmp.end() - 1), {4, 4}, {std::string(kLoadImageFailedMessage)}},
      {bmp, {0, 4}, {std::string(kResizeImageFailedMessage)}},
  };
  for (const auto& f : failures) {
    messages.shown.clear();
    EXPECT_FALSE(image.TakeImage(f.data, f.target, natural, messages).has_value());
    EXPECT_EQ(messages.shown, f.shown);
    EXPECT_EQ(image.Decoded(), nullptr);
  }
}

TEST(ImageRGBTest, TakeRenderedImageEmptiesTheImage) {
  CImageRGB image;
  image.SetDecodedPixels(TestPicture(6, 4));
  Size natural;
  auto first = image.TakeRenderedImage({0, 0}, natural);
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(natural, (Size{6, 4}));
  EXPECT_FALSE(image.TakeRenderedImage({0, 0}, natural).has_value());
  image.SetDecodedPixels(TestPicture(6, 4));
  EXPECT_FALSE(image.TakeRenderedImage({3, 0}, natural).has_value());
  EXPECT_EQ(image.Decoded(), nullptr) << "a failed resize frees the pixels";
}

}  // namespace
}  // namespace saver::test
