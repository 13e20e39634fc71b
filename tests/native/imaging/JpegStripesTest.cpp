// A fitted one-scan JPEG with restart markers is decoded as two stripes on two threads. The rows
// must be those of one decode, and damage anywhere must get the verdict of one decode.
#include <gtest/gtest.h>

#include <string>

#include "PictureFixtures.h"
#include "PixelAssertions.h"
#include "RecordingMessages.h"
#include "imaging/DecodePicture.h"
#include "imaging/JpegDecoder.h"
#include "imaging/JpegStripes.h"

namespace saver::test {
namespace {

// Whether the file splits into stripes (so that a test of the striped path is one).
bool Splits(const Bytes& file) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&info, TRUE);
  const bool splits = SplitAtRestartMarker(file, info).has_value();
  jpeg_destroy_decompress(&info);
  return splits;
}

struct StripeCase {
  const char* name;
  JpegKind kind;
  JpegLayout layout;
};

// Restart markers change only how the coefficients are coded, so the fitted picture must be
// exactly that of the same file written without them, decoded in one piece. Fitted at 1/4 and
// 1/2 the pictures go through stripes; at 1/8 all but CMYK are made from DC coefficients.
TEST(JpegStripesTest, StripedFitGivesThePixelsOfOneDecode) {
  const StripeCase cases[] = {
      {"4:2:0, a restart every MCU", JpegKind::Baseline, {2, 2, 1}},
      {"4:2:2, a restart every 7 MCUs", JpegKind::Baseline, {2, 1, 7}},
      {"4:4:4, a restart every row of MCUs", JpegKind::Baseline, {1, 1, 80}},
      {"grey, a restart every 3 MCUs", JpegKind::Grey, {0, 0, 3}},
      {"CMYK, a restart every 5 MCUs", JpegKind::AdobeCmyk, {0, 0, 5}},
  };
  const PixelBuffer picture = PhotoLike(640, 480);
  for (const StripeCase& c : cases) {
    const Bytes striped = JpegFile(picture, c.kind, c.layout);
    JpegLayout whole_layout = c.layout;
    whole_layout.restart_interval = 0;
    const Bytes whole = JpegFile(picture, c.kind, whole_layout);
    ASSERT_TRUE(Splits(striped)) << c.name;
    for (Size target : {Size{75, 55}, Size{150, 110}, Size{300, 225}}) {
      RecordingMessages messages;
      Size natural;
      auto from_stripes = DecodePictureResized(striped, target, natural, messages);
      auto from_whole = DecodePictureResized(whole, target, natural, messages);
      ASSERT_TRUE(from_stripes && from_whole) << c.name;
      EXPECT_EQ(natural, (Size{640, 480})) << c.name;
      EXPECT_TRUE(PixelsNear(*from_stripes, *from_whole, 0)) << c.name << " to " << target.width;
    }
  }
}

// Collects nothing: only the verdict matters here.
struct DropRows : JpegRowTarget {
  bool Begin(Size, Size) override { return true; }
  void Row(const std::uint8_t*) override {}
};

// Damage in either stripe, or at the marker where the file splits, is refused with libjpeg's
// words, as for the whole file decoded in one piece.
TEST(JpegStripesTest, DamageInAStripeIsRefusedWithTheDecodersMessage) {
  const Bytes file = JpegFile(PhotoLike(256, 256), JpegKind::Baseline, {2, 2, 4});
  ASSERT_TRUE(Splits(file));
  // 16 rows of 16 MCUs, a marker every 4 MCUs: the split is at the 32nd marker, row 8.
  std::vector<std::size_t> markers;
  for (std::size_t i = ScanData(file, LastMarker(file, 0xDA)); i + 1 < file.size(); ++i)
    if (file[i] == 0xFF && file[i + 1] >= 0xD0 && file[i + 1] <= 0xD7) markers.push_back(i);
  ASSERT_EQ(markers.size(), 63u);
  const std::size_t split = markers[31], end = LastMarker(file, 0xD9);
  const struct {
    const char* name;
    Bytes file;
    const char* message;
  } cases[] = {
      {"cut in the bottom stripe", Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(end - 40)),
       "JPEG decoder: Premature end of JPEG file"},
      {"a marker out of turn in the bottom stripe", WithByte(file, markers[40] + 1, 0xD3), "JPEG decoder: Corrupt JPEG data"},
      {"a marker out of turn in the top stripe", WithByte(file, markers[3] + 1, 0xD0), "JPEG decoder: Corrupt JPEG data"},
      {"the split marker out of turn", WithByte(file, split + 1, 0xD2), "JPEG decoder: Corrupt JPEG data"},
  };
  for (const auto& c : cases) {
    DropRows rows;
    PictureRefusal refusal;
    // At 1/4: at 1/8 a 4:2:0 picture is made from its DC coefficients on one thread instead.
    EXPECT_FALSE(DecodeJpeg(c.file, {64, 64}, rows, &refusal)) << c.name;
    EXPECT_EQ(refusal.reason, PictureRefusal::Reason::Damaged) << c.name;
    EXPECT_EQ(refusal.message.rfind(c.message, 0), 0u) << c.name << ": " << refusal.message;
  }
}

}  // namespace
}  // namespace saver::test
