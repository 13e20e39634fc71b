#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "PictureFixtures.h"
#include "PixelAssertions.h"
#include "imaging/PictureReaders.h"

namespace saver::test {
namespace {

// A black-and-white picture, for the monochrome layout.
CPixelBuffer Mono(int width, int height) {
  CPixelBuffer p(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) p.SetPixel(x, y, (x * 3 + y) % 5 < 2 ? 0xFFFFFF : 0);
  return p;
}

struct ReaderCase {
  std::string name;
  CPixelBuffer picture;
  std::function<Bytes(const CPixelBuffer&)> encode;
  std::function<std::optional<CPixelBuffer>(std::span<const std::uint8_t>, PictureRefusal*)> read;
  CPixelBuffer expected;  // what the format keeps of the picture
  std::size_t optional_tail = 0;
};

std::vector<ReaderCase> Cases() {
  // 11 x 6: odd widths leave partly used bytes in every packed layout.
  const CPixelBuffer p16 = TestPicture(11, 6, 16), p200 = TestPicture(11, 6, 200), rgb = TestPicture(11, 6);
  const CPixelBuffer mono = Mono(11, 6);
  auto pcx = [](int bits, int planes, int colours) {
    return [=](const CPixelBuffer& p) { return PcxFile(p, bits, planes, colours); };
  };
  auto tga = [](int type, int bits, std::uint8_t descriptor, bool footer, int colours = 0) {
    return [=](const CPixelBuffer& p) { return TgaFile(p, type, bits, descriptor, footer, colours); };
  };
  constexpr std::size_t kFooter = 26;  // a complete TGA needs no footer
  return {
      {"PcxMono", mono, pcx(1, 1, 0), ReadPcx, mono},
      {"PcxPlanar16", p16, pcx(1, 4, 16), ReadPcx, p16},
      {"PcxPacked16", p16, pcx(4, 1, 16), ReadPcx, p16},
      {"Pcx256", p200, pcx(8, 1, 200), ReadPcx, p200},
      {"PcxTrueColour", rgb, pcx(8, 3, 0), ReadPcx, rgb},
      {"TgaMapped", p200, tga(1, 8, 0, false, 200), ReadTga, p200},
      {"TgaMappedRle", p16, tga(9, 8, 0x20, true, 16), ReadTga, p16, kFooter},
      {"TgaTrue16", rgb, tga(2, 16, 0, false), ReadTga, Quantised(rgb, {5, 5, 5})},
      {"TgaTrue24BottomLeft", rgb, tga(2, 24, 0, false), ReadTga, rgb},
      {"TgaTrue24TopLeft", rgb, tga(2, 24, 0x20, false), ReadTga, rgb},
      {"TgaTrue24BottomRight", rgb, tga(2, 24, 0x10, false), ReadTga, rgb},
      {"TgaTrue32TopRight", rgb, tga(2, 32, 0x30, true), ReadTga, rgb, kFooter},
      {"TgaTrueRle24", p16, tga(10, 24, 0, false), ReadTga, p16},
      {"TgaTrueRle32", rgb, tga(10, 32, 0x20, false), ReadTga, rgb},
      {"TgaGrey", rgb, tga(3, 8, 0, false), ReadTga, GreyFromRed(rgb)},
      {"TgaGreyRle", p16, tga(11, 8, 0x20, false), ReadTga, GreyFromRed(p16)},
  };
}

TEST(PcxTgaReaderTest, ReadsEveryPixelOfTheEncodedPicture) {
  for (const ReaderCase& c : Cases()) {
    auto decoded = c.read(c.encode(c.picture), nullptr);
    ASSERT_TRUE(decoded.has_value()) << c.name;
    EXPECT_TRUE(PixelsNear(*decoded, c.expected, 0)) << c.name;
  }
}

TEST(PcxTgaReaderTest, RefusesEveryTruncationSayingWhy) {
  for (const ReaderCase& c : Cases()) {
    Bytes file = c.encode(c.picture);
    const std::string decoder = c.name.substr(0, 3) == "Pcx" ? "PCX decoder: " : "TGA decoder: ";
    for (std::size_t size = 0; size < file.size() - c.optional_tail; ++size) {
      PictureRefusal refusal;
      ASSERT_FALSE(c.read({file.data(), size}, &refusal).has_value()) << c.name << " cut at " << size << " of " << file.size();
      ASSERT_EQ(refusal.message.rfind(decoder, 0), 0u) << c.name << " cut at " << size << ": " << refusal.message;
    }
  }
}

TEST(PcxTgaReaderTest, RefusesUnsupportedLayoutsAndImpossibleSizes) {
  const CPixelBuffer p = TestPicture(4, 3, 4);
  auto edit = [](Bytes b, std::size_t at, std::initializer_list<std::uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), b.begin() + at);
    return b;
  };
  const Bytes pcx = PcxFile(p, 8, 3), tga = TgaFile(p, 2, 24, 0, false);
  const std::pair<const char*, Bytes> bad_pcx[] = {
      {"2 bits", edit(pcx, 3, {2})},
      {"8 bits in 2 planes", edit(pcx, 65, {2})},
      {"xmax before xmin", edit(pcx, 4, {9, 0})},
      {"line shorter than the width", edit(pcx, 66, {1, 0})},
      {"unknown encoding", edit(pcx, 2, {7})},
  };
  for (const auto& [name, data] : bad_pcx) EXPECT_FALSE(ReadPcx(data).has_value()) << name;
  const std::pair<const char*, Bytes> bad_tga[] = {
      {"no image", edit(tga, 2, {0})},
      {"colour-mapped without a map", edit(tga, 2, {1})},
      {"12 bits", edit(tga, 16, {12})},
      {"zero width", edit(tga, 12, {0, 0})},
      {"map type 2", edit(tga, 1, {2})},
      {"identification past the end", edit(tga, 0, {255})},
  };
  for (const auto& [name, data] : bad_tga) EXPECT_FALSE(ReadTga(data).has_value()) << name;
}

// Run-length data at its densest, runs of 128 pixels of one colour, still reads: the check of
// the claimed size against the data left must not refuse it. One run less is a truncation.
TEST(PcxTgaReaderTest, TgaInTheLongestRunsReadsAndOneRunShortIsRefused) {
  Bytes tga = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 24, 0x20};  // 256 x 256, top-down
  constexpr int kRuns = 256 * 256 / 128;
  for (int i = 0; i < kRuns; ++i) tga.insert(tga.end(), {0xFF, 30, 20, 10});  // 128 x (R 10, G 20, B 30)
  const auto decoded = ReadTga(tga);
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(decoded->PixelAt(0, 0), 0x1E140Au);
  EXPECT_EQ(decoded->PixelAt(255, 255), 0x1E140Au);
  tga.resize(tga.size() - 4);
  EXPECT_FALSE(ReadTga(tga).has_value());
}

TEST(PcxTgaReaderTest, PcxWithoutItsPaletteMarkerIsRefused) {
  Bytes file = PcxFile(TestPicture(4, 3, 4), 8, 1, 4);
  file[file.size() - 769] = 0x0B;
  EXPECT_FALSE(ReadPcx(file).has_value());
}

}  // namespace
}  // namespace saver::test
