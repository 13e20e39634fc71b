// A JPEG is limited by what must be held decoded: at its own size by the pixels held, fitted to a
// smaller target only by what libjpeg decodes and, for a file of several scans, by libjpeg's
// coefficient buffer. Every refusal for size says the size and the limit.
#include <gtest/gtest.h>

#include <string>

#include "PictureFixtures.h"
#include "imaging/DecodePicture.h"
#include "imaging/PictureLimits.h"
#include "support/CollectedMessages.h"

namespace saver::test {
namespace {

using saver::testing_support::CollectedMessages;

const std::string kHeldRefusal =
    "The picture is 40000 x 16 pixels, beyond the limit of 64 megapixels and 32767 pixels a side for a "
    "picture shown at its own size.";

// Wider than a picture held whole may be, and small enough to encode in a test.
const Bytes& WideJpeg() {
  static const Bytes file = JpegFile(PhotoLike(40000, 16), JpegKind::Baseline);
  return file;
}

TEST(JpegLimitsTest, PictureBeyondTheHeldLimitIsFittedAndMeasuredButNotDecodedWhole) {
  CollectedMessages messages;
  Size size;
  EXPECT_FALSE(DecodePicture(WideJpeg(), size, messages).has_value());
  EXPECT_EQ(messages.shown, std::vector<std::string>{kHeldRefusal});

  messages.shown.clear();
  Size natural;
  auto fitted = DecodePictureResized(WideJpeg(), {1000, 1}, natural, messages);
  ASSERT_TRUE(fitted.has_value());
  EXPECT_EQ(natural, (Size{40000, 16}));
  EXPECT_EQ(fitted->Width(), 1000);

  Size measured;
  EXPECT_TRUE(MeasurePicture(WideJpeg(), measured, messages));
  EXPECT_EQ(measured, (Size{40000, 16}));
  EXPECT_TRUE(messages.shown.empty());
}

// Headers claiming sizes beyond the limits: the refusal comes from the header alone, before any
// memory of that size is asked for, and is the same for every path that judges the picture.
TEST(JpegLimitsTest, RefusalsForSizeNameTheSizeAndTheLimit) {
  const Bytes baseline = JpegFile(TestPicture(16, 16), JpegKind::Baseline);
  const Bytes progressive = JpegFile(TestPicture(16, 16), JpegKind::Progressive);
  const struct {
    const char* name;
    Bytes file;
    std::string message;
  } cases[] = {
      {"wider than libjpeg decodes", WithJpegSize(baseline, 65535, 8),
       "The picture is 65535 x 8 pixels, beyond the limit of 65500 pixels a side for a JPEG picture."},
      {"progressive, coefficients beyond the limit", WithJpegSize(progressive, 30000, 20000),
       "The picture is 30000 x 20000 pixels, beyond the limit of 512 MiB of coefficients for a JPEG of several "
       "scans (progressive); this one needs 1717 MiB."},
  };
  for (const auto& c : cases) {
    CollectedMessages measured_messages, fitted_messages, decoded_messages;
    Size size;
    EXPECT_FALSE(MeasurePicture(c.file, size, measured_messages)) << c.name;
    EXPECT_EQ(measured_messages.shown, std::vector<std::string>{c.message}) << c.name;
    EXPECT_FALSE(DecodePictureResized(c.file, {100, 100}, size, fitted_messages).has_value()) << c.name;
    EXPECT_EQ(fitted_messages.shown, std::vector<std::string>{c.message}) << c.name;
    EXPECT_FALSE(DecodePicture(c.file, size, decoded_messages).has_value()) << c.name;
    EXPECT_EQ(decoded_messages.shown.size(), 1u) << c.name;
  }
}

// A progressive picture whose coefficients fit is allowed beyond the held limit when fitted: its
// header claims 12000 x 9000 (309 MiB of coefficients), its data is that of a small picture, so
// it is refused as damaged, not for its size.
TEST(JpegLimitsTest, ProgressivePictureWithinTheCoefficientLimitIsJudgedByItsData) {
  const Bytes file = WithJpegSize(JpegFile(TestPicture(16, 16), JpegKind::Progressive), 12000, 9000);
  CollectedMessages messages;
  Size size;
  EXPECT_FALSE(MeasurePicture(file, size, messages));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0], "The picture is 12000 x 9000 pixels, but its file holds only " +
                                   std::to_string(file.size()) + " bytes: it is damaged.");
}

// An arithmetic-coded scan can spend less than a bit on a block and libjpeg walks it without a
// warning: a header claiming a huge picture over a few bytes would keep the decoder busy for
// seconds. Beyond the held limit such a file is refused from its header as damaged; the same
// coding at a plausible size decodes.
TEST(JpegLimitsTest, HugeHeaderOverAFewBytesOfDataIsRefusedAsDamaged) {
  const Bytes small = JpegFile(TestPicture(16, 16), JpegKind::Arithmetic);
  CollectedMessages messages;
  Size size;
  ASSERT_TRUE(DecodePictureResized(small, {8, 8}, size, messages).has_value());
  EXPECT_EQ(size, (Size{16, 16}));

  const Bytes huge = WithJpegSize(small, 60000, 60000);
  const std::string message = "The picture is 60000 x 60000 pixels, but its file holds only " +
                              std::to_string(huge.size()) + " bytes: it is damaged.";
  EXPECT_FALSE(MeasurePicture(huge, size, messages));
  EXPECT_EQ(messages.shown, std::vector<std::string>{message});
  // Shown, it fails quietly as every damaged picture does; the caller says so.
  messages.shown.clear();
  EXPECT_FALSE(DecodePictureResized(huge, {1920, 1080}, size, messages).has_value());
  EXPECT_TRUE(messages.shown.empty());
}

// Damaged data: measuring (validation) gives libjpeg's own words; showing the picture stays
// silent here, as every damaged picture of a read format does (the caller says it failed).
TEST(JpegLimitsTest, DamagedDataIsRefusedWithTheDecodersMessageWhenMeasured) {
  const Bytes whole = JpegFile(TestPicture(32, 32), JpegKind::Baseline);
  const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2));
  CollectedMessages messages;
  Size size;
  EXPECT_FALSE(MeasurePicture(cut, size, messages));
  EXPECT_EQ(messages.shown, std::vector<std::string>{"JPEG decoder: Premature end of JPEG file"});
  messages.shown.clear();
  EXPECT_FALSE(DecodePicture(cut, size, messages).has_value());
  EXPECT_FALSE(DecodePictureResized(cut, {8, 8}, size, messages).has_value());
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace saver::test
