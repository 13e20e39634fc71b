// At 1/8 scale a one-scan picture is made from the DC coefficients alone (and,
// for 4:2:0 chroma, the three lowest AC ones: DecodePictureTest holds it to a
// full decode and resize). Where libjpeg-turbo decodes every component with its
// 1 x 1 inverse DCT the rows must be exactly libjpeg-turbo's, and damaged data
// must get libjpeg's verdict and words.
#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cstdio>
#include <string>

#include "PictureFixtures.h"
#include "imaging/JpegDecoder.h"

namespace saver::test {
namespace {

struct CCollectRows : CJpegRowTarget {
  bool Begin(Size, Size scaled) override {
    begun = scaled;
    ++begins;
    rows.clear();
    return true;
  }
  void Row(const std::uint8_t* rgb) override { rows.insert(rows.end(), rgb, rgb + begun.width * 3); }
  Size begun;
  int begins = 0;  // 2 when the DC path gave up and libjpeg started over
  Bytes rows;
};

// libjpeg-turbo's own 1/8 decode with the settings of a fitted picture.
Bytes LibjpegEighth(const Bytes& file) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  info.scale_num = 1;
  info.scale_denom = 8;
  info.dct_method = JDCT_IFAST;
  info.do_fancy_upsampling = FALSE;
  jpeg_start_decompress(&info);
  Bytes rows(std::size_t{info.output_width} * info.output_height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = rows.data() + std::size_t{info.output_scanline} * info.output_width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return rows;
}

TEST(JpegDcOnlyTest, RowsAreLibjpegTurbosOwnAtOneEighth) {
  const struct {
    const char* name;
    JpegKind kind;
    JpegLayout layout;
  } cases[] = {
      {"4:4:4", JpegKind::Baseline, {1, 1, 0}},
      {"4:2:2", JpegKind::Baseline, {2, 1, 0}},
      {"4:2:2, a restart every 5 MCUs", JpegKind::Baseline, {2, 1, 5}},
      {"grey", JpegKind::Grey, {}},
      {"grey, a restart every MCU", JpegKind::Grey, {0, 0, 1}},
  };
  // Sides that leave partial blocks and MCUs at the right and bottom edges.
  const CPixelBuffer picture = PhotoLike(203, 117);
  for (const auto& c : cases) {
    const Bytes file = JpegFile(picture, c.kind, c.layout);
    CCollectRows rows;
    ASSERT_TRUE(DecodeJpeg(file, {1, 1}, rows)) << c.name;
    EXPECT_EQ(rows.begun, (Size{26, 15})) << c.name;
    EXPECT_EQ(rows.begins, 1) << c.name << ": the DC path gave up";
    EXPECT_TRUE(rows.rows == LibjpegEighth(file)) << c.name;
  }
}

// The DC values are read beside the walk: codes longer than one look-up, and value bits far
// behind the code, give the same coefficients and so the same rows (4:2:0 chroma included).
TEST(JpegDcOnlyTest, LongDcCodesGiveTheSameRows) {
  const CPixelBuffer picture = PhotoLike(203, 117);
  for (const JpegLayout layout : {JpegLayout{1, 1, 0}, JpegLayout{2, 1, 0}, JpegLayout{2, 2, 3}}) {
    const std::string name = std::to_string(layout.luma_h) + " x " + std::to_string(layout.luma_v);
    CCollectRows standard, long_codes;
    ASSERT_TRUE(DecodeJpeg(JpegFile(picture, JpegKind::Baseline, layout), {1, 1}, standard)) << name;
    JpegLayout long_layout = layout;
    long_layout.long_dc_codes = true;
    ASSERT_TRUE(DecodeJpeg(JpegFile(picture, JpegKind::Baseline, long_layout), {1, 1}, long_codes)) << name;
    EXPECT_EQ(standard.begins, 1) << name << ": the DC path gave up";
    EXPECT_EQ(long_codes.begins, 1) << name << ": the DC path gave up";
    EXPECT_TRUE(long_codes.rows == standard.rows) << name;
  }
}

// What the walk cannot vouch for goes to libjpeg, which starts over even when
// every row is out: a data byte after the last MCU is found only at the end,
// and libjpeg accepts it.
TEST(JpegDcOnlyTest, DamagedDataGetsLibjpegsVerdictAndWords) {
  for (const JpegLayout layout : {JpegLayout{1, 1, 4}, JpegLayout{2, 2, 4}}) {
    SCOPED_TRACE(layout.luma_h == 1 ? "4:4:4" : "4:2:0");
    const Bytes file = JpegFile(PhotoLike(64, 64), JpegKind::Baseline, layout);
    const std::size_t end = LastMarker(file, 0xD9);
    Bytes byte_before_end = file;
    byte_before_end.insert(byte_before_end.begin() + static_cast<std::ptrdiff_t>(end), 0x12);
    const struct {
      const char* name;
      Bytes file;
      const char* message;
    } cases[] = {
        {"cut short", Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(end - 30)),
         "JPEG decoder: Premature end of JPEG file"},
        {"a restart marker out of turn", WithByte(file, LastMarker(file, 0xD2) + 1, 0xD5),
         "JPEG decoder: Corrupt JPEG data"},
    };
    for (const auto& c : cases) {
      CCollectRows rows;
      PictureRefusal refusal;
      EXPECT_FALSE(DecodeJpeg(c.file, {}, rows, &refusal)) << c.name << " at full size";
      EXPECT_FALSE(DecodeJpeg(c.file, {1, 1}, rows, &refusal)) << c.name;
      EXPECT_EQ(refusal.message.rfind(c.message, 0), 0u) << c.name << ": " << refusal.message;
    }
    CCollectRows rows;
    ASSERT_TRUE(DecodeJpeg(byte_before_end, {1, 1}, rows));
    EXPECT_TRUE(rows.rows == LibjpegEighth(byte_before_end));
  }
}

}  // namespace
}  // namespace saver::test
