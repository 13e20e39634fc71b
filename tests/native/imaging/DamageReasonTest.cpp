// Each reader says why it refused damaged or unsupported data, in a short reason after the
// format's name; the engine's paths keep that reason to themselves.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include "PictureFixtures.h"
#include "imaging/DecodePicture.h"
#include "imaging/PictureReaders.h"
#include "support/CollectedMessages.h"

namespace saver::test {
namespace {

using Reader = std::optional<CPixelBuffer> (*)(std::span<const std::uint8_t>, PictureRefusal*);

Bytes Cut(Bytes b, std::size_t removed) {
  b.resize(b.size() - removed);
  return b;
}
Bytes Edit(Bytes b, std::size_t at, std::initializer_list<std::uint8_t> bytes) {
  std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
  return b;
}

Bytes Flip(Bytes b, std::size_t at) {
  b[at] ^= 0xFF;
  return b;
}

// The PNG with one byte of its first IDAT's compressed data changed and the chunk's CRC made to
// match again, so that the damage reaches zlib.
Bytes PngWithCorruptDeflate(Bytes png) {
  std::size_t idat = 8;
  while (std::string(png.begin() + idat + 4, png.begin() + idat + 8) != "IDAT")
    idat += 12 + png_get_uint_32(png.data() + idat);
  const std::size_t length = png_get_uint_32(png.data() + idat);
  png = Flip(std::move(png), idat + 8 + length / 2);
  const std::uint32_t crc = crc32(0, png.data() + idat + 4, static_cast<unsigned>(length + 4));
  png_save_uint_32(png.data() + idat + 8 + length, crc);
  return png;
}

struct DamageCase {
  const char* name;
  Bytes file;
  Reader read;
  std::string reason;
};

std::vector<DamageCase> Cases() {
  const CPixelBuffer p = TestPicture(8, 6, 4);
  const Bytes bmp = BmpFile(p, 24), pcx = PcxFile(p, 8, 3), tga = TgaFile(p, 2, 24, 0, false);
  const Bytes png = PngFile(p, PNG_COLOR_TYPE_RGB, 8, false), indexed_pcx = PcxFile(p, 8, 1, 4);
  return {
      {"BMP pixels cut short", Cut(bmp, 1), ReadBmp, "BMP decoder: the pixel data is cut short"},
      {"BMP runs without their end", Cut(BmpRle(p, 8, 4), 4), ReadBmp,
       "BMP decoder: the run-length data ends before its end marker"},
      {"BMP of 7 bits", Edit(bmp, 28, {7}), ReadBmp, "BMP decoder: 7 bits per pixel are not supported"},
      {"BMP of JPEG compression", Edit(bmp, 30, {4}), ReadBmp, "BMP decoder: compression 4 is not supported"},
      {"BMP pixels past the end", Edit(bmp, 10, {0xFF, 0xFF}), ReadBmp,
       "BMP decoder: the pixel data starts outside the file"},
      {"BMP of no width", Edit(bmp, 18, {0, 0, 0, 0}), ReadBmp, "BMP decoder: the header gives the picture no pixels"},
      {"PCX runs cut short", Cut(pcx, pcx.size() - 128), ReadPcx, "PCX decoder: the pixel data ends at line 0"},
      {"PCX of 2 bits", Edit(pcx, 3, {2}), ReadPcx, "PCX decoder: 2 bits x 3 planes are not supported"},
      {"PCX without its palette", Edit(indexed_pcx, indexed_pcx.size() - 769, {0x0B}), ReadPcx,
       "PCX decoder: the 256-colour palette at the end of the file is missing"},
      {"PCX of encoding 7", Edit(pcx, 2, {7}), ReadPcx, "PCX decoder: encoding 7 is not supported"},
      {"TGA cut short", Cut(tga, 1), ReadTga, "TGA decoder: the pixel data is too short for 8 x 6 pixels"},
      // Run-length data can be too short only when read: the last byte belongs to the last of 6 rows.
      {"TGA runs cut short", Cut(TgaFile(p, 10, 24, 0, false), 1), ReadTga,
       "TGA decoder: the pixel data ends at row 5"},
      {"TGA of type 4", Edit(tga, 2, {4}), ReadTga, "TGA decoder: image type 4 is not supported"},
      {"TGA of 12 bits", Edit(tga, 16, {12}), ReadTga,
       "TGA decoder: true colour of 12 bits per pixel is not supported"},
      {"PNG signature changed", Edit(png, 1, {'Q'}), ReadPng, "PNG decoder: Not a PNG file"},
      {"PNG pixels cut short", Cut(png, 20), ReadPng, "PNG decoder: unexpected end of file"},
      // The last chunk is IEND (12 bytes); before it the IDAT's CRC, and before that zlib's Adler-32.
      {"PNG chunk CRC changed", Flip(png, png.size() - 14), ReadPng, "PNG decoder: IDAT: CRC error"},
      {"PNG Adler-32 changed", Flip(png, png.size() - 18), ReadPng, "PNG decoder: IDAT: incorrect data check"},
      {"PNG deflate data corrupt", PngWithCorruptDeflate(png), ReadPng, "PNG decoder: IDAT: invalid distance code"},
  };
}

TEST(DamageReasonTest, EachReaderNamesItsFormatAndWhyItRefused) {
  for (const DamageCase& c : Cases()) {
    PictureRefusal refusal;
    EXPECT_FALSE(c.read(c.file, &refusal).has_value()) << c.name;
    EXPECT_EQ(refusal.reason, PictureRefusal::Reason::Damaged) << c.name;
    EXPECT_EQ(refusal.message, c.reason) << c.name;
  }
}

// The engine's dialogs do not change: damaged data of a format other than JPEG shows nothing when
// measured, and the reader's reason goes only to a caller that asks for it.
TEST(DamageReasonTest, MeasuringShowsNothingAndHandsTheReasonToWhoAsks) {
  const CPixelBuffer p = TestPicture(8, 6, 4);
  const Bytes tga = TgaFile(p, 2, 24, 0, true);  // its footer makes it known from memory
  const DamageCase cases[] = {
      {"BMP", Cut(BmpFile(p, 24), 1), ReadBmp, "BMP decoder: the pixel data is cut short"},
      {"PCX", Edit(PcxFile(p, 8, 3), 3, {2}), ReadPcx, "PCX decoder: 2 bits x 3 planes are not supported"},
      {"TGA", Edit(tga, 2, {4}), ReadTga, "TGA decoder: image type 4 is not supported"},
      {"PNG", Cut(PngFile(p, PNG_COLOR_TYPE_RGB, 8, false), 20), ReadPng, "PNG decoder: unexpected end of file"},
  };
  for (const DamageCase& c : cases) {
    testing_support::CollectedMessages messages;
    Size size;
    PictureRefusal damage;
    EXPECT_FALSE(MeasurePicture(c.file, size, messages, JpegDataCheck::Whole, &damage)) << c.name;
    EXPECT_TRUE(messages.shown.empty()) << c.name;
    EXPECT_EQ(damage.message, c.reason) << c.name;
    EXPECT_FALSE(MeasurePicture(c.file, size, messages)) << c.name;
    EXPECT_TRUE(messages.shown.empty()) << c.name;
  }
}

}  // namespace
}  // namespace saver::test
