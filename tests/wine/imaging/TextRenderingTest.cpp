// RenderText under Wine: the measured size of multi-line texts, the 2% widening, the
// background and the key colour, and the quality bits it leaves in the item's font.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/win/ScopedWin.h"
#include "imaging/ImageRGB.h"
#include "imaging/KeyedDraw.h"
#include "imaging/PictureWriters.h"
#include "imaging/win/ImageRGBDrawing.h"
#include "scene/ImageItem.h"
#include "scene/win/GdiImageMeasurer.h"
#include "scene/win/TextRendering.h"

namespace saver::win {
namespace {

// Extents measured independently with the item's font.
class FontProbe {
 public:
  explicit FontProbe(const CImageItem& item) : dc_(CreateCompatibleDC(nullptr)) {
    LOGFONTA description;
    std::memcpy(&description, item.font.data(), sizeof description);
    font_.Reset(CreateFontIndirectA(&description));
    previous_ = SelectObject(dc_.Get(), font_.Get());
  }
  ~FontProbe() { SelectObject(dc_.Get(), previous_); }
  SIZE Extent(const char* text) {
    SIZE size{};
    GetTextExtentPoint32A(dc_.Get(), text, static_cast<int>(std::strlen(text)), &size);
    return size;
  }

 private:
  ScopedMemoryDC dc_;
  ScopedFont font_;
  HGDIOBJ previous_;
};

void MakeText(CImageItem& item, const char* text, bool opaque) {
  item.kind = CImageItem::kKindText;
  item.text = text;
  item.opaque = opaque ? 1 : 0;
  item.background_colour = RGB(0, 0, 128);
  item.text_colour = RGB(255, 255, 0);
}

TEST(TextRenderingTest, TwoLinesMeasureTheWiderLineTimesTwoHeightsOfW) {
  CImageItem item;
  MakeText(item, "A\r\nBCW", true);
  CImageRGB image;
  ASSERT_TRUE(RenderText(image, item, ""));
  FontProbe probe(item);
  const int widest = std::max(probe.Extent("A").cx, probe.Extent("BCW").cx);
  EXPECT_EQ(image.GetSize(), (Size{static_cast<int>(widest * 1.02), 2 * probe.Extent("W").cy}));
  ASSERT_NE(image.Decoded(), nullptr);
  EXPECT_EQ(image.Decoded()->Width(), image.GetSize().width);
}

TEST(TextRenderingTest, AnExplicitTextReplacesTheItemsOwn) {
  CImageItem item;
  MakeText(item, "A much longer text than the other", true);
  CImageRGB image;
  ASSERT_TRUE(RenderText(image, item, "Wi"));
  FontProbe probe(item);
  EXPECT_EQ(image.GetSize().width, static_cast<int>(probe.Extent("Wi").cx * 1.02));
  EXPECT_EQ(image.GetSize().height, probe.Extent("W").cy);
}

TEST(TextRenderingTest, BackgroundIsTheItemsColourOrTheKey) {
  for (bool opaque : {true, false}) {
    CImageItem item;
  MakeText(item, "Hello", opaque);
    CImageRGB image;
    ASSERT_TRUE(RenderText(image, item, ""));
    const CPixelBuffer& pixels = *image.Decoded();
    // The widened strip at the right holds no glyph.
    const std::uint32_t corner = pixels.PixelAt(pixels.Width() - 1, pixels.Height() - 1);
    EXPECT_EQ(corner, opaque ? RGB(0, 0, 128) : kTextKeyColor) << "opaque " << opaque;
    bool has_ink = false;
    for (int y = 0; y < pixels.Height(); ++y)
      for (int x = 0; x < pixels.Width(); ++x) has_ink |= pixels.PixelAt(x, y) == RGB(255, 255, 0);
    EXPECT_TRUE(has_ink) << "opaque " << opaque;
    EXPECT_EQ(item.font[offsetof(LOGFONTA, lfQuality)] & 3, 3);
  }
}

TEST(TextRenderingTest, EmptyTextFailsAndTheRenderedTextShowsOnce) {
  CImageItem empty;
  MakeText(empty, "", true);
  CImageRGB image;
  EXPECT_FALSE(RenderText(image, empty, ""));

  CImageItem item;
  MakeText(item, "Once", true);
  ASSERT_TRUE(RenderText(image, item, ""));
  const Size rendered = image.GetSize();
  CScopedWindowDC screen(nullptr);
  Size natural;
  ScopedBitmap first = GetRenderedImage(image, screen.Get(), natural, 0, 0);
  ASSERT_TRUE(first);
  EXPECT_EQ(natural, rendered);
  EXPECT_FALSE(GetRenderedImage(image, screen.Get(), natural, 0, 0));
}

TEST(TextRenderingTest, BareLineFeedsKeepTheirLastCharacter) {
  CImageItem item;
  MakeText(item, "x", true);
  ScopedMemoryDC dc(CreateCompatibleDC(nullptr));
  FontProbe probe(item);
  auto with_cr = MeasureTextLines(dc.Get(), "WWW\r\nW");
  auto bare = MeasureTextLines(dc.Get(), "WWW\nW");
  auto leading = MeasureTextLines(dc.Get(), "\nWW");
  ASSERT_TRUE(with_cr && bare && leading);
  EXPECT_EQ(with_cr->Width(), bare->Width());
  EXPECT_EQ(with_cr->Height(), bare->Height());
  EXPECT_EQ(leading->Height(), with_cr->Height());
  EXPECT_FALSE(MeasureTextLines(dc.Get(), "\r\n").has_value()) << "no line has any width";
}

struct NoMessages : CMessageSink {
  void Show(std::string_view text) override { ADD_FAILURE() << "unexpected message " << text; }
};

TEST(TextRenderingTest, MeasurerRendersIntoTheItemAndMeasuresPictures) {
  NoMessages messages;
  CGdiImageMeasurer measurer(messages);
  CImageItem item;
  MakeText(item, "Two\r\nlines", false);
  auto size = measurer.RenderText(item);
  ASSERT_TRUE(size.has_value());
  EXPECT_EQ(*size, item.image.GetSize());
  ASSERT_NE(item.image.Decoded(), nullptr) << "the rendered pixels stay in the item";
  EXPECT_EQ(item.image.Decoded()->PixelAt(size->width - 1, 0), kTextKeyColor);

  EXPECT_EQ(measurer.MeasurePicture(EncodeBmp(CPixelBuffer(7, 3))), (Size{7, 3}));
  const std::vector<std::uint8_t> cut = {'B', 'M', 0, 0};
  EXPECT_FALSE(measurer.MeasurePicture(cut).has_value());
}

// Position of the first byte of entropy-coded data behind the JPEG's first scan header.
std::size_t ScanData(const std::vector<std::uint8_t>& jpeg) {
  for (std::size_t i = 2; i + 3 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) return i + 2 + (std::size_t{jpeg[i + 2]} << 8 | jpeg[i + 3]);
  }
  return jpeg.size();
}

// At start-up a JPEG is measured by its header and the end of its data: a cut one is refused
// with the decoder's words, one damaged inside its scan keeps its size until it is decoded.
TEST(TextRenderingTest, MeasurerRefusesCutJpegsAndLeavesDamageInsideTheScanToTheDecode) {
  CPixelBuffer picture(64, 48);
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 64; ++x) picture.SetPixel(x, y, static_cast<std::uint32_t>(x * 37 ^ y * 91) * 0x010203u);
  }
  const std::vector<std::uint8_t> jpeg = *EncodeJpeg(picture, 90);
  const std::size_t data = ScanData(jpeg);
  ASSERT_LT(data + 40, jpeg.size());
  std::vector<std::uint8_t> damaged = jpeg;
  for (std::size_t i = data + 8; i < data + 24; i += 2) {  // stuffed one bits: a code no table assigns
    damaged[i] = 0xFF;
    damaged[i + 1] = 0x00;
  }
  const std::vector<std::uint8_t> cut(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(data + 20));

  struct Kept final : CMessageSink {
    void Show(std::string_view text) override { texts.emplace_back(text); }
    std::vector<std::string> texts;
  } messages;
  CGdiImageMeasurer measurer(messages);
  EXPECT_EQ(measurer.MeasurePicture(damaged), (Size{64, 48}));
  EXPECT_TRUE(messages.texts.empty());
  EXPECT_FALSE(measurer.MeasurePicture(cut).has_value());
  EXPECT_EQ(messages.texts, std::vector<std::string>{"JPEG decoder: Premature end of JPEG file"});

  CImageRGB image;
  EXPECT_FALSE(image.LoadImage(damaged, messages)) << "the decode refuses what measuring let through";
}

}  // namespace
}  // namespace saver::win
