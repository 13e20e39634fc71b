// BMP, PCX, TGA and PNG are decoded whole, so each is limited by the pixels held. A picture refused
// for its size is judged from its header alone and gives the one message naming its size and the
// limit, on every path that judges it, like a JPEG held whole.
#include <gtest/gtest.h>

#include <string>

#include "PictureFixtures.h"
#include "imaging/DecodePicture.h"
#include "imaging/PictureReaders.h"
#include "support/CollectedMessages.h"

namespace saver::test {
namespace {

using saver::testing_support::CollectedMessages;

void PutLittleEndian(Bytes& file, std::size_t at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) file.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

void PutBigEndian32(Bytes& file, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) file.at(at + i) = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

// Small files whose headers claim `width` x `height`; the data behind is that of a 4 x 4 picture.
Bytes BmpClaiming(std::uint32_t width, std::uint32_t height) {
  Bytes file = BmpFile(TestPicture(4, 4), 24);
  PutLittleEndian(file, 18, width, 4);
  PutLittleEndian(file, 22, height, 4);
  return file;
}

Bytes PcxClaiming(std::uint32_t width, std::uint32_t height) {
  Bytes file = PcxFile(TestPicture(4, 4), 8, 3);
  PutLittleEndian(file, 8, width - 1, 2);  // xmax and ymax with xmin = ymin = 0
  PutLittleEndian(file, 10, height - 1, 2);
  return file;
}

Bytes TgaClaiming(std::uint32_t width, std::uint32_t height) {
  Bytes file = TgaFile(TestPicture(4, 4), 2, 24, 0, true);
  PutLittleEndian(file, 12, width, 2);
  PutLittleEndian(file, 14, height, 2);
  return file;
}

Bytes PngClaiming(std::uint32_t width, std::uint32_t height) {
  Bytes file = PngFile(TestPicture(4, 4), 2, 8, false);  // colour type 2: RGB
  PutBigEndian32(file, 16, width);
  PutBigEndian32(file, 20, height);
  return file;
}

std::string Refusal(const std::string& size) {
  return "The picture is " + size +
         " pixels, beyond the limit of 64 megapixels and 32767 pixels a side for a picture shown at its own size.";
}

struct SizeCase {
  const char* name;
  Bytes file;
  std::optional<CPixelBuffer> (*read)(std::span<const std::uint8_t>, PictureRefusal*);
  std::string message;
};

TEST(HeldSizeLimitTest, PictureTooLargeToHoldNamesItsSizeAndTheLimitOnEveryPath) {
  const SizeCase cases[] = {
      {"BMP wider than a side may be", BmpClaiming(40000, 16), ReadBmp, Refusal("40000 x 16")},
      {"BMP of more pixels than held", BmpClaiming(10000, 10000), ReadBmp, Refusal("10000 x 10000")},
      {"BMP of the largest size it states", BmpClaiming(0x7FFFFFFF, 0x7FFFFFFF), ReadBmp,
       Refusal("2147483647 x 2147483647")},
      {"PCX of the largest size it states", PcxClaiming(65536, 65536), ReadPcx, Refusal("65536 x 65536")},
      {"TGA taller than a side may be", TgaClaiming(16, 40000), ReadTga, Refusal("16 x 40000")},
      {"PNG of more pixels than held", PngClaiming(8200, 8200), ReadPng, Refusal("8200 x 8200")},
      {"PNG of the largest size it states", PngClaiming(0x7FFFFFFF, 1), ReadPng, Refusal("2147483647 x 1")},
  };
  for (const SizeCase& c : cases) {
    PictureRefusal refusal;
    EXPECT_FALSE(c.read(c.file, &refusal).has_value()) << c.name;
    EXPECT_EQ(refusal.reason, PictureRefusal::Reason::TooLarge) << c.name;

    CollectedMessages decoded, fitted, measured;
    Size size;
    EXPECT_FALSE(DecodePicture(c.file, size, decoded).has_value()) << c.name;
    EXPECT_EQ(decoded.shown, std::vector<std::string>{c.message}) << c.name;
    EXPECT_FALSE(DecodePictureResized(c.file, {100, 100}, size, fitted).has_value()) << c.name;
    EXPECT_EQ(fitted.shown, std::vector<std::string>{c.message}) << c.name;
    EXPECT_FALSE(MeasurePicture(c.file, size, measured)) << c.name;
    EXPECT_EQ(measured.shown, std::vector<std::string>{c.message}) << c.name;
  }
}

// Within the limit, a header claiming more than its data holds is damaged, not too large: it is
// refused without the size message.
TEST(HeldSizeLimitTest, PictureWithinTheLimitButCutShortIsNotRefusedForItsSize) {
  const SizeCase cases[] = {
      {"BMP", BmpClaiming(32767, 16), ReadBmp, ""},
      {"PCX", PcxClaiming(8192, 8192), ReadPcx, ""},
      {"TGA", TgaClaiming(16, 32767), ReadTga, ""},
      {"PNG", PngClaiming(8192, 8192), ReadPng, ""},
  };
  for (const SizeCase& c : cases) {
    PictureRefusal refusal;
    EXPECT_FALSE(c.read(c.file, &refusal).has_value()) << c.name;
    EXPECT_NE(refusal.reason, PictureRefusal::Reason::TooLarge) << c.name;
    CollectedMessages messages;
    Size size;
    EXPECT_FALSE(DecodePicture(c.file, size, messages).has_value()) << c.name;
    EXPECT_TRUE(messages.shown.empty()) << c.name << ": " << messages.shown.front();
  }
}

}  // namespace
}  // namespace saver::test
