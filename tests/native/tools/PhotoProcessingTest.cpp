#include <gtest/gtest.h>

#include "PhotoFixtures.h"
#include "ToolValidation.h"
#include "imaging/DecodePicture.h"
#include "slideshow/AreaAverager.h"
#include "slideshow/ExifFields.h"
#include "slideshow/Orientation.h"
#include "slideshow/PhotoOrder.h"
#include "slideshow/PhotoProcessing.h"

namespace saver::tool::testing {
namespace {

CPixelBuffer Decoded(const std::vector<std::uint8_t>& bytes) {
  CMessageLog messages;
  Size size;
  std::optional<CPixelBuffer> pixels = DecodePicture(bytes, size, messages);
  EXPECT_TRUE(pixels.has_value());
  return pixels ? std::move(*pixels) : CPixelBuffer();
}

CPixelBuffer Grey(int width, int height, const std::vector<std::uint8_t>& levels) {
  CPixelBuffer pixels(width, height);
  for (std::size_t i = 0; i < levels.size(); ++i) {
    for (int channel = 0; channel < 3; ++channel) pixels.Data()[i * 3 + channel] = levels[i];
  }
  return pixels;
}

std::vector<std::uint8_t> Levels(const CPixelBuffer& pixels) {
  std::vector<std::uint8_t> levels;
  for (std::size_t i = 0; i < pixels.ByteCount(); i += 3) levels.push_back(pixels.Data()[i]);
  return levels;
}

struct AveragingCase {
  const char* what;
  Size source;
  std::vector<std::uint8_t> levels;
  Size target;
  std::vector<std::uint8_t> expected;
};

class AreaAveraging : public ::testing::TestWithParam<AveragingCase> {};

TEST_P(AreaAveraging, GivesEachTargetPixelTheMeanOfTheAreaItCovers) {
  const AveragingCase& c = GetParam();
  EXPECT_EQ(Levels(AverageDown(Grey(c.source.width, c.source.height, c.levels), c.target)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AreaAveraging,
    ::testing::Values(
        AveragingCase{"halves", {4, 2}, {0, 100, 200, 250, 0, 100, 200, 250}, {2, 1}, {50, 225}},
        // 3 to 2: the middle pixel is cut in half, each half counted by its share.
        AveragingCase{"thirds", {3, 3}, {90, 30, 0, 30, 30, 30, 0, 30, 90}, {2, 2}, {57, 17, 17, 57}},
        // One-pixel stripes reduced by 3: all the stripes average out (sampling would alias
        // them into a pattern of whole black and white pixels).
        AveragingCase{"stripes", {6, 1}, {0, 255, 0, 255, 0, 255}, {2, 1}, {85, 170}},
        AveragingCase{"keeps", {2, 1}, {7, 9}, {2, 1}, {7, 9}},
        AveragingCase{"to one", {3, 2}, {10, 20, 30, 40, 50, 60}, {1, 1}, {35}}),
    [](const auto& info) { return std::string(info.param.what) == "to one" ? "to_one" : info.param.what; });

TEST(FitWithin, KeepsTheProportionsAndOnlyReduces) {
  EXPECT_EQ(FitWithin({4000, 3000}, {3840, 2160}), (Size{2880, 2160}));
  EXPECT_EQ(FitWithin({3000, 4000}, {3840, 2160}), (Size{1620, 2160}));
  EXPECT_EQ(FitWithin({12000, 9000}, {3840, 2160}), (Size{2880, 2160}));
  EXPECT_EQ(FitWithin({800, 600}, {3840, 2160}), (Size{800, 600}));
  EXPECT_EQ(FitWithin({10000, 2}, {100, 100}), (Size{100, 1}));
}

// The stored picture is red, green / white, blue (top left, top right / bottom left, bottom right);
// what each orientation makes of it, as the quadrants clockwise from the top left.
struct OrientationCase {
  int orientation;
  const char* upright;
};

const OrientationCase kOrientations[] = {{1, "rgbw"}, {2, "grwb"}, {3, "bwrg"}, {4, "wbgr"},
                                         {5, "rwbg"}, {6, "wrgb"}, {7, "bgrw"}, {8, "gbwr"}};

class EveryOrientation : public ::testing::TestWithParam<OrientationCase> {};

TEST_P(EveryOrientation, TurnsThePixelsUpright) {
  const CPixelBuffer upright = TurnUpright(Quadrants(64, 32), GetParam().orientation);
  EXPECT_EQ(QuadrantColours(upright), GetParam().upright);
  EXPECT_EQ(upright.Width(), SwapsSides(GetParam().orientation) ? 32 : 64);
}

TEST_P(EveryOrientation, TurnsAJpegUprightLosslesslyWhenItKeepsItsSize) {
  const auto jpeg = WithExif(JpegOf(Quadrants(64, 32)), GetParam().orientation);
  const PhotoOutcome outcome = ProcessPhoto(jpeg, {});
  ASSERT_TRUE(outcome.photo) << outcome.skip_reason;
  EXPECT_EQ(outcome.photo->treatment, GetParam().orientation == 1 ? PhotoTreatment::Kept : PhotoTreatment::Turned);
  EXPECT_EQ(QuadrantColours(Decoded(outcome.photo->bytes)), GetParam().upright);
  EXPECT_EQ(outcome.photo->size, UprightSize({64, 32}, GetParam().orientation));
  if (GetParam().orientation != 1) {
    EXPECT_EQ(ReadExifFields(outcome.photo->bytes).orientation, 1);
  }
}

TEST_P(EveryOrientation, TurnsAJpegUprightWhileReducingIt) {
  const auto jpeg = WithExif(JpegOf(Quadrants(640, 320)), GetParam().orientation);
  const PhotoOutcome outcome = ProcessPhoto(jpeg, {{100, 100}, 90});
  ASSERT_TRUE(outcome.photo) << outcome.skip_reason;
  EXPECT_EQ(outcome.photo->treatment, PhotoTreatment::Reduced);
  const CPixelBuffer shown = Decoded(outcome.photo->bytes);
  EXPECT_EQ(QuadrantColours(shown), GetParam().upright);
  EXPECT_EQ((Size{shown.Width(), shown.Height()}), SwapsSides(GetParam().orientation) ? (Size{50, 100}) : (Size{100, 50}));
  EXPECT_EQ(ReadExifFields(outcome.photo->bytes).orientation, 1);
}

INSTANTIATE_TEST_SUITE_P(Orientations, EveryOrientation, ::testing::ValuesIn(kOrientations),
                         [](const auto& info) { return "orientation_" + std::to_string(info.param.orientation); });

TEST(ProcessPhoto, KeepsAnUprightPictureWithinTheSizeByteForByte) {
  struct Case {
    std::vector<std::uint8_t> bytes;
    const char* extension;
  };
  const Case cases[] = {{JpegOf(Quadrants(320, 200)), ".jpg"}, {PngOf(Quadrants(300, 200)), ".png"}};
  for (const Case& c : cases) {
    const PhotoOutcome outcome = ProcessPhoto(c.bytes, {});
    ASSERT_TRUE(outcome.photo) << c.extension;
    EXPECT_EQ(outcome.photo->treatment, PhotoTreatment::Kept);
    EXPECT_EQ(outcome.photo->bytes, c.bytes) << c.extension;
    EXPECT_EQ(outcome.photo->extension, c.extension);
  }
}

TEST(ProcessPhoto, ReducesALargerPngToJpeg) {
  const PhotoOutcome reduced = ProcessPhoto(PngOf(Quadrants(300, 200)), {{150, 150}, 80});
  ASSERT_TRUE(reduced.photo);
  EXPECT_EQ(reduced.photo->extension, ".jpg");
  EXPECT_EQ(reduced.photo->size, (Size{150, 100}));
  EXPECT_EQ(QuadrantColours(Decoded(reduced.photo->bytes)), "rgbw");
}

TEST(ProcessPhoto, SkipsWhatTheEngineCannotShowWithTheReason) {
  const auto jpeg = JpegOf(Quadrants(320, 200));
  const std::vector<std::uint8_t> cut(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(jpeg.size() / 2));
  const auto png = PngOf(Quadrants(320, 200));
  const std::vector<std::uint8_t> cut_png(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(png.size() / 2));
  const std::string text = "not a picture";
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
    PhotoSettings settings;
    const char* reason;
  };
  const Case cases[] = {
      {"cut JPEG kept", cut, {}, "Premature end of JPEG file"},
      {"cut JPEG reduced", cut, {{100, 100}, 90}, "damaged JPEG"},
      {"cut JPEG turned", WithExif(cut, 6), {}, "damaged JPEG"},
      {"cut PNG kept", cut_png, {}, "PNG decoder: unexpected end of file"},
      {"text", {text.begin(), text.end()}, {}, "not a JPEG, PNG, BMP, PCX or TGA picture"},
      {"GIF", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, {}, "not a JPEG, PNG, BMP, PCX or TGA picture"},
  };
  for (const Case& c : cases) {
    const PhotoOutcome outcome = ProcessPhoto(c.bytes, c.settings);
    EXPECT_FALSE(outcome.photo) << c.what;
    EXPECT_NE(outcome.skip_reason.find(c.reason), std::string::npos) << c.what << ": " << outcome.skip_reason;
  }
}

TEST(ExifFields, ReadsTheOrientationAndTheDateTaken) {
  const ExifFields fields = ReadExifFields(WithExif(JpegOf(Quadrants(16, 16)), 8, "2021:07:04 10:11:12"));
  EXPECT_EQ(fields.orientation, 8);
  EXPECT_EQ(fields.date_taken, "2021:07:04 10:11:12");
  const ExifFields none = ReadExifFields(JpegOf(Quadrants(16, 16)));
  EXPECT_EQ(none.orientation, 1);
  EXPECT_EQ(none.date_taken, "");
}

TEST(NaturalOrder, ComparesRunsOfDigitsByValueAndLettersWithoutCase) {
  std::vector<std::filesystem::path> files = {"b/IMG_10.jpg", "a/z.jpg", "b/img_2.jpg", "b/IMG_02.jpg", "b/IMG_1.jpg"};
  SortByName(files);
  const std::vector<std::filesystem::path> expected = {"a/z.jpg", "b/IMG_1.jpg", "b/IMG_02.jpg", "b/img_2.jpg",
                                                       "b/IMG_10.jpg"};
  EXPECT_EQ(files, expected);
}

TEST(Shuffle, GivesTheSameOrderForTheSameSeed) {
  std::vector<std::filesystem::path> files;
  for (int i = 0; i < 20; ++i) files.push_back(std::to_string(i));
  std::vector<std::filesystem::path> first = files, second = files, other = files;
  Shuffle(first, 7);
  Shuffle(second, 7);
  Shuffle(other, 8);
  EXPECT_EQ(first, second);
  EXPECT_NE(first, files);
  EXPECT_NE(first, other);
}

}  // namespace
}  // namespace saver::tool::testing
