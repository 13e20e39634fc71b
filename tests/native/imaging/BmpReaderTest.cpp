#include <array>
#include <climits>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "PictureFixtures.h"
#include "PixelAssertions.h"
#include "imaging/PictureReaders.h"

namespace saver::test {
namespace {

struct BmpCase {
  std::string name;
  std::function<Bytes(const CPixelBuffer&)> encode;
  int colours;                // palette pictures use this many entries
  std::array<int, 3> bits;    // bits per channel the layout keeps
  std::size_t optional_tail = 0;  // trailing bytes a complete picture can do without
};

// 7 x 5 gives padded rows at every depth (7 pixels are 1, 4, 21 or 28 bytes).
const std::vector<BmpCase>& Cases() {
  static const std::vector<BmpCase> cases = {
      {"1bit", [](auto& p) { return BmpFile(p, 1, false, 2); }, 2, {8, 8, 8}},
      {"4bit", [](auto& p) { return BmpFile(p, 4, false, 16); }, 16, {8, 8, 8}},
      {"8bit", [](auto& p) { return BmpFile(p, 8, false, 200); }, 200, {8, 8, 8}},
      {"8bitTopDown", [](auto& p) { return BmpFile(p, 8, true, 200); }, 200, {8, 8, 8}},
      {"16bit555", [](auto& p) { return BmpFile(p, 16); }, 0, {5, 5, 5}},
      {"24bit", [](auto& p) { return BmpFile(p, 24); }, 0, {8, 8, 8}},
      {"24bitTopDown", [](auto& p) { return BmpFile(p, 24, true); }, 0, {8, 8, 8}},
      {"32bit", [](auto& p) { return BmpFile(p, 32); }, 0, {8, 8, 8}},
      {"16bitFields565", [](auto& p) { return BmpBitFields(p, 16); }, 0, {5, 6, 5}},
      {"32bitFields", [](auto& p) { return BmpBitFields(p, 32); }, 0, {8, 8, 8}},
      {"Os2Core8bit", [](auto& p) { return BmpCore(p, 100); }, 100, {8, 8, 8}},
      // The end-of-picture marker follows the last row's end marker, which already completes it.
      {"Rle8", [](auto& p) { return BmpRle(p, 8, 6); }, 6, {8, 8, 8}, 2},
      {"Rle4", [](auto& p) { return BmpRle(p, 4, 5); }, 5, {8, 8, 8}, 2},
  };
  return cases;
}

class BmpReaderTest : public ::testing::TestWithParam<BmpCase> {};

TEST_P(BmpReaderTest, ReadsEveryPixelOfTheEncodedPicture) {
  const BmpCase& c = GetParam();
  CPixelBuffer picture = TestPicture(7, 5, c.colours);
  auto decoded = ReadBmp(c.encode(picture));
  ASSERT_TRUE(decoded.has_value());
  EXPECT_TRUE(PixelsNear(*decoded, Quantised(picture, {c.bits[0], c.bits[1], c.bits[2]}), 0));
}

TEST_P(BmpReaderTest, RefusesEveryTruncationSayingWhy) {
  const BmpCase& c = GetParam();
  Bytes file = c.encode(TestPicture(7, 5, c.colours));
  // Row padding of the last row is part of the pixel data; cutting anywhere leaves too little.
  for (std::size_t size = 0; size < file.size() - c.optional_tail; ++size) {
    PictureRefusal refusal;
    ASSERT_FALSE(ReadBmp({file.data(), size}, &refusal).has_value()) << "cut at " << size << " of " << file.size();
    ASSERT_EQ(refusal.message.rfind("BMP decoder: ", 0), 0u) << "cut at " << size << ": " << refusal.message;
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, BmpReaderTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

void SetI32(Bytes& b, std::size_t at, std::int32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = (static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF;
}

TEST(BmpReaderHostileTest, RefusesHeadersThatClaimTooMuch) {
  const Bytes good = BmpFile(TestPicture(4, 4), 24);
  struct Edit {
    std::size_t offset;
    std::int32_t value;
  };
  const Edit edits[] = {
      {18, 0},                // zero width
      {18, -4},               // negative width
      {22, INT32_MIN},        // height whose negation overflows
      {18, 40000},            // wider than any accepted picture
      {18, 30000},            // accepted width, but far more pixels than the data holds
      {10, 1 << 30},          // pixel data offset past the end
      {28, 7},                // 7 bits per pixel
      {30, 9},                // unknown compression
      {14, 20},               // header size between the known ones
  };
  for (const Edit& e : edits) {
    Bytes bad = good;
    SetI32(bad, e.offset, e.value);
    EXPECT_FALSE(ReadBmp(bad).has_value()) << "offset " << e.offset << " value " << e.value;
  }
}

TEST(BmpReaderHostileTest, ClipsRunsThatOvershootTheRowAndKeepsPixelsInside) {
  CPixelBuffer picture = TestPicture(4, 2, 4);
  Bytes file = BmpRle(picture, 8, 4);
  // Replace the pixel stream by: a run of 200 of index 1 on the bottom row, a delta far beyond
  // the picture, then the end marker.
  std::size_t pixels = file[10] | (file[11] << 8);
  file.resize(pixels);
  file.insert(file.end(), {200, 1, 0, 2, 255, 255, 0, 1});
  auto decoded = ReadBmp(file);
  ASSERT_TRUE(decoded.has_value());
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(decoded->PixelAt(x, 1), TestPaletteColour(1));
    EXPECT_EQ(decoded->PixelAt(x, 0), 0u) << "rows the runs skip stay black";
  }
}

}  // namespace
}  // namespace saver::test
