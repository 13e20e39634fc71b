// The engine's own check of a JPEG's Huffman-coded data, which measuring relies on: it must
// vouch for every intact one-scan layout and never for data libjpeg refuses.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "PictureFixtures.h"
#include "imaging/DecodePicture.h"
#include "imaging/JpegDecoder.h"
#include "imaging/JpegErrorJump.h"
#include "imaging/JpegScanCheck.h"
#include "imaging/PictureReaders.h"
#include "support/CollectedMessages.h"

namespace saver::test {
namespace {

using saver::testing_support::CollectedMessages;

struct Decompression {
  jpeg_decompress_struct info{};
  JpegErrorJump error{};
  ~Decompression() { jpeg_destroy_decompress(&info); }
};

// Starts a decompression of `file` as the engine's measuring does before it turns to the check;
// false when libjpeg already refuses the headers. No object with a destructor lives in this
// frame: libjpeg leaves it by longjmp.
bool Start(Decompression& d, const Bytes& file) {
  d.info.err = d.error.Install(true);
  if (setjmp(d.error.jump)) return false;
  jpeg_create_decompress(&d.info);
  jpeg_mem_src(&d.info, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&d.info, TRUE);
  if (d.info.jpeg_color_space != JCS_CMYK && d.info.jpeg_color_space != JCS_YCCK) d.info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&d.info);
  return true;
}

bool Vouches(const Bytes& file) {
  Decompression d;
  return Start(d, file) && ScanIsSurelyIntact(d.info);
}

bool Measures(const Bytes& file) {
  Size size;
  return MeasureJpeg(file, JpegDataCheck::Whole, size);
}

const struct Layout {
  const char* name;
  int width, height;
  JpegKind kind;
  JpegLayout layout;
} kOneScanLayouts[] = {
    {"grey, one pixel", 1, 1, JpegKind::Grey, {}},
    {"grey, partial blocks", 33, 17, JpegKind::Grey, {}},
    {"4:2:0", 64, 48, JpegKind::Baseline, {}},
    {"4:2:0, partial MCUs", 37, 21, JpegKind::Baseline, {}},
    {"4:4:4", 31, 9, JpegKind::Baseline, {1, 1, 0}},
    {"4:2:2", 40, 24, JpegKind::Baseline, {2, 1, 0}},
    {"4:1:1 (chroma repeated at 3/8 and 4/8)", 96, 32, JpegKind::Baseline, {4, 1, 0}},
    {"4:2:0, a restart after every MCU", 64, 48, JpegKind::Baseline, {2, 2, 1}},
    {"4:4:4, a restart every 3 MCUs", 50, 30, JpegKind::Baseline, {1, 1, 3}},
    {"4:2:0, more than 8 restarts", 160, 64, JpegKind::Baseline, {2, 2, 2}},
    {"CMYK", 24, 16, JpegKind::AdobeCmyk, {}},
    {"4:2:0, large", 256, 192, JpegKind::Baseline, {}},
};

TEST(JpegScanCheckTest, CheckVouchesForIntactFilesOfEveryOneScanLayout) {
  for (const auto& c : kOneScanLayouts) {
    const Bytes file = JpegFile(TestPicture(c.width, c.height), c.kind, c.layout);
    EXPECT_TRUE(Vouches(file)) << c.name;
    Size size;
    EXPECT_TRUE(MeasureJpeg(file, JpegDataCheck::Whole, size)) << c.name;
    EXPECT_EQ(size, (Size{c.width, c.height})) << c.name;
  }
}

TEST(JpegScanCheckTest, LeavesFilesOfSeveralScansToLibjpeg) {
  const Bytes progressive = JpegFile(TestPicture(64, 48), JpegKind::Progressive);
  EXPECT_FALSE(Vouches(progressive));
  EXPECT_TRUE(Measures(progressive));
}

// Every byte of the entropy-coded data (and the markers after it) changed in several ways, and
// the data cut at every length: wherever the check vouches for a file, libjpeg decodes it
// without a warning; measuring and fitting always agree with a full decode.
TEST(JpegScanCheckTest, NeverAcceptDataLibjpegRefuses) {
  const struct {
    const char* name;
    Bytes file;
  } originals[] = {
      {"4:2:0 with restarts", JpegFile(TestPicture(48, 32), JpegKind::Baseline, {2, 2, 2})},
      {"4:4:4", JpegFile(TestPicture(40, 24), JpegKind::Baseline, {1, 1, 0})},
  };
  for (const auto& original : originals) {
    const std::size_t data = ScanData(original.file, LastMarker(original.file, 0xDA));
    int vouched = 0, refused = 0;
    auto judge = [&](const Bytes& file, const std::string& what) {
      const bool decodes = ReadJpeg(file).has_value();
      const bool vouches = Vouches(file);
      if (vouches) {
        EXPECT_TRUE(decodes) << original.name << ", " << what;
      }
      EXPECT_EQ(Measures(file), decodes) << original.name << ", " << what;
      CollectedMessages messages;
      Size natural;
      EXPECT_EQ(DecodePictureResized(file, {12, 8}, natural, messages).has_value(), decodes) << original.name << ", " << what;
      vouched += vouches;
      refused += !decodes;
    };
    for (std::size_t at = data; at < original.file.size(); ++at) {
      for (std::uint8_t change : {0x01, 0x10, 0x80}) {
        Bytes file = original.file;
        file[at] ^= change;
        judge(file, "byte " + std::to_string(at) + " ^ " + std::to_string(change));
      }
      for (std::uint8_t value : {0x00, 0xFF}) {
        Bytes file = original.file;
        file[at] = value;
        judge(file, "byte " + std::to_string(at) + " = " + std::to_string(value));
      }
      const Bytes cut(original.file.begin(), original.file.begin() + static_cast<std::ptrdiff_t>(at));
      EXPECT_FALSE(Vouches(cut)) << original.name << ", cut at " << at;
      judge(cut, "cut at " + std::to_string(at));
    }
    // Changed value bits leave a valid stream, other changes a damaged one: both kinds occur.
    EXPECT_GT(vouched, 0) << original.name;
    EXPECT_GT(refused, 0) << original.name;
  }
}

TEST(JpegScanCheckTest, CheckJudgesWhatFollowsTheDataByteForByte) {
  const Bytes restarts = JpegFile(TestPicture(48, 32), JpegKind::Baseline, {2, 2, 2});
  const std::size_t first_restart = [&] {
    for (std::size_t i = ScanData(restarts, LastMarker(restarts, 0xDA)); i + 1 < restarts.size(); ++i)
      if (restarts[i] == 0xFF && restarts[i + 1] == 0xD0) return i;
    return restarts.size();
  }();
  ASSERT_LT(first_restart, restarts.size());
  const std::size_t end = LastMarker(restarts, 0xD9);
  auto inserted = [](Bytes file, std::size_t at, Bytes bytes) {
    file.insert(file.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin(), bytes.end());
    return file;
  };
  const struct {
    const char* name;
    Bytes file;
    bool vouches;
  } cases[] = {
      {"as written", restarts, true},
      {"fill bytes before the end marker", inserted(restarts, end, {0xFF, 0xFF}), true},
      {"fill bytes before a restart marker", inserted(restarts, first_restart, {0xFF}), true},
      {"a data byte before the end marker", inserted(restarts, end, {0x12}), false},
      {"a data byte before a restart marker", inserted(restarts, first_restart, {0x12}), false},
      {"a restart marker out of turn", WithByte(restarts, first_restart + 1, 0xD3), false},
      {"a comment before the end marker", inserted(restarts, end, {0xFF, 0xFE, 0x00, 0x03, 0x41}), false},
      {"no end marker", Bytes(restarts.begin(), restarts.begin() + static_cast<std::ptrdiff_t>(end)), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Vouches(c.file), c.vouches) << c.name;
    EXPECT_EQ(Measures(c.file), ReadJpeg(c.file).has_value()) << c.name;
  }
}

}  // namespace
}  // namespace saver::test
