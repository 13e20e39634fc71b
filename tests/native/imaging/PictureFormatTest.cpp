#include <string>

#include <gtest/gtest.h>

#include "PictureFixtures.h"
#include "imaging/PictureFormat.h"

namespace saver::test {
namespace {

Bytes Padded(std::initializer_list<std::uint8_t> head, std::size_t size = 64) {
  Bytes b(head);
  b.resize(std::max(size, b.size()), 0x20);  // spaces match no signature
  return b;
}
Bytes Text(std::string_view s, std::size_t size = 64) {
  Bytes b(s.begin(), s.end());
  b.resize(std::max(size, b.size()), 0x20);
  return b;
}
Bytes WithAt(Bytes b, std::size_t at, std::string_view s) {
  if (b.size() < at + s.size()) b.resize(at + s.size(), 0x20);
  std::copy(s.begin(), s.end(), b.begin() + at);
  return b;
}
Bytes WithTgaFooter(Bytes b) {
  b.resize(b.size() + 8, 0);
  for (char c : std::string_view("TRUEVISION-XFILE.")) b.push_back(c);
  b.push_back(0);
  return b;
}

struct DetectCase {
  std::string name;
  Bytes data;
  std::string file_name;
  PictureFormat expected;
};

std::vector<DetectCase> Cases() {
  using F = PictureFormat;
  return {
      {"Bmp", Text("BM"), "", F::Bmp},
      {"Pax", Text("PAX"), "", F::Pax},
      {"Gif89a", Text("GIF89a"), "", F::Gif},
      {"Gif87a", Text("GIF87a"), "", F::Gif},
      {"JpegJfif", Padded({0xFF, 0xD8, 0xFF, 0xE0}), "", F::Jpeg},
      {"JpegExif", Padded({0xFF, 0xD8, 0xFF, 0xE1}), "", F::Jpeg},
      {"Pcx0", Padded({0x0A, 0x00}), "", F::Pcx},
      {"Pcx5", Padded({0x0A, 0x05}), "", F::Pcx},
      {"PcxUnknownVersion", Padded({0x0A, 0x04}), "", F::Unknown},
      {"TiffMotorola", Text("MM"), "", F::Tiff},
      {"TiffIntel", Text("II*"), "", F::Tiff},
      {"Png", Padded({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}), "", F::Png},
      {"PngBadSignature", Padded({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x00}), "", F::Unknown},
      {"Metafile", Padded({0x01, 0x00, 0x09, 0x00, 0x00}), "", F::Metafile},
      {"PlaceableMetafile", Padded({0xD7, 0xCD, 0xC6, 0x9A}), "", F::Metafile},
      {"EnhancedMetafile", WithAt(Text(""), 40, " EMF"), "", F::EnhancedMetafile},
      {"EnhancedMetafileMarkerPastWindow", WithAt(Text(""), 41, " EMF"), "", F::Unknown},
      {"Photoshop", Text("8BPS"), "", F::Photoshop},
      {"Tla", Padded({'T', 'L', 'A', 0x01}), "", F::Tla},
      {"TlaU", Text("TLAU"), "", F::TlaU},
      {"PhotoCdOverview", Text("PCD_OPA"), "", F::PhotoCdOverview},
      {"Jpeg2000", WithAt(Text(""), 4, "jP  \r"), "", F::Jpeg2000},
      {"Jpeg2000Codestream", Padded({0xFF, 0x4F}), "", F::Jpeg2000},
      {"Jpeg2000CodestreamAt4", WithAt(Text(""), 4, "\xFF\x4F"), "", F::Jpeg2000Codestream},
      {"Wbmp", Padded({0x00, 0x00}), "", F::Wbmp},
      {"OleCompound", Padded({0xD0, 0xCF, 0x11, 0xE0}), "", F::OleCompound},
      // Earlier rows win: "BM" before anything that might follow.
      {"FirstRowWins", Text("BMGIF89a"), "", F::Bmp},
      // Rows beyond the data do not apply; a row within it still does.
      {"ShortDataMissesLongRow", Padded({0x89, 'P', 'N', 'G'}, 4), "", F::Unknown},
      {"ShortDataMatchesShortRow", Text("GIF", 3), "", F::Unknown},
      {"ShortDataTwoBytes", Text("MM", 2), "", F::Tiff},
      {"Empty", {}, "", F::Unknown},
      // No signature: the name, then the TGA footer, then the PhotoCD marker.
      {"TgaByName", Text("x"), "picture.TGA", F::Tga},
      {"TgaNameIgnoredForMemory", Text("x"), "", F::Unknown},
      {"WbmpByName", Text("x"), "a.b.wbm", F::Wbmp},
      {"WbmpSignatureNamedTga", Padded({0, 0}), "old.tga", F::Tga},
      {"TgaByFooter", WithTgaFooter(Text("x")), "", F::Tga},
      {"WbmpSignatureWithTgaFooter", WithTgaFooter(Padded({0, 0})), "", F::Tga},
      {"WbmpSignatureTooShortForFooter", Padded({0, 0}, 17), "", F::Unknown},
      {"PhotoCd", WithAt(Text("x"), 2048, "PCD"), "", F::PhotoCd},
      {"OtherNameIgnored", Text("x"), "picture.gif", F::Unknown},
      {"Unknown", Text("hello"), "", F::Unknown},
  };
}

TEST(PictureFormatTest, DetectsBySignatureNameFooterAndMarker) {
  for (const DetectCase& c : Cases())
    EXPECT_EQ(DetectPictureFormat(c.data, c.file_name), c.expected) << c.name;
}

TEST(PictureFormatTest, DetectsRealFilesOfEveryReadFormat) {
  CPixelBuffer p = TestPicture(3, 2, 4);
  EXPECT_EQ(DetectPictureFormat(BmpFile(p, 24), ""), PictureFormat::Bmp);
  EXPECT_EQ(DetectPictureFormat(PcxFile(p, 8, 1, 4), ""), PictureFormat::Pcx);
  EXPECT_EQ(DetectPictureFormat(PngFile(p, 2, 8, false), ""), PictureFormat::Png);
  EXPECT_EQ(DetectPictureFormat(JpegFile(p, JpegKind::Baseline), ""), PictureFormat::Jpeg);
  EXPECT_EQ(DetectPictureFormat(TgaFile(p, 2, 24, 0, true), ""), PictureFormat::Tga);
}

}  // namespace
}  // namespace saver::test
