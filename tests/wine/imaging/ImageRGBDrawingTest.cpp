// CImageRGB's GDI side under Wine: bitmaps from pixels and back, the GetImage paths with
// their messages, keyed drawing and compositing, all on memory DCs read back pixel by pixel.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/win/ScopedWin.h"
#include "imaging/DecodePicture.h"
#include "imaging/ImageRGB.h"
#include "imaging/KeyedDraw.h"
#include "imaging/PictureWriters.h"
#include "imaging/win/DeviceBitmaps.h"
#include "imaging/win/ImageRGBDrawing.h"
#include "support/CollectedMessages.h"

namespace saver::win {
namespace {

using saver::testing_support::CollectedMessages;

CPixelBuffer Pattern(int width, int height) {
  CPixelBuffer p(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      p.SetPixel(x, y, (x * 50 + 5) | ((y * 60 + 7) << 8) | static_cast<std::uint32_t>((x * y * 9 + 40) & 0xFF) << 16);
  return p;
}

// The screen, as the engine hands it over: a DC compatible with the display.
class ScreenTest : public ::testing::Test {
 protected:
  CScopedWindowDC screen_{nullptr};
};

std::optional<CPixelBuffer> PixelsOf(const ScopedBitmap& bitmap, HDC dc) { return BitmapToPixels(bitmap.Get(), dc); }

TEST_F(ScreenTest, MakeBitmapRoundTripsThroughAMemoryDC) {
  const CPixelBuffer p = Pattern(7, 5);
  CImageRGB image;
  image.SetDecodedPixels(p);
  ASSERT_TRUE(image.ResizeImage(3, 2));
  ScopedBitmap decoded = MakeBitmap(image, screen_.Get(), true);
  ScopedBitmap resized = MakeBitmap(image, screen_.Get(), false);
  ASSERT_TRUE(decoded && resized);
  EXPECT_EQ(BitmapSize(resized.Get()), (Size{3, 2}));

  ScopedMemoryDC memory(CreateCompatibleDC(screen_.Get()));
  {
    CScopedSelect select(memory.Get(), decoded.Get());
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) EXPECT_EQ(GetPixel(memory.Get(), x, y), p.PixelAt(x, y)) << x << "," << y;
  }
  auto back = PixelsOf(decoded, screen_.Get());
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, p);
  EXPECT_EQ(*PixelsOf(resized, screen_.Get()), *image.Resized());

  image.FreePixels(false);
  EXPECT_FALSE(MakeBitmap(image, screen_.Get(), true));
  EXPECT_FALSE(MakeBitmap(image, screen_.Get(), false));
}

TEST_F(ScreenTest, GetImageAtItsOwnSizeAndResized) {
  const CPixelBuffer p = Pattern(9, 6);
  const std::vector<std::uint8_t> bmp = EncodeBmp(p);
  CollectedMessages messages;
  CImageRGB image;

  Size natural;
  ScopedBitmap own = GetImage(image, screen_.Get(), bmp, natural, 0, 0, messages);
  ASSERT_TRUE(own);
  EXPECT_EQ(natural, (Size{9, 6}));
  EXPECT_EQ(*PixelsOf(own, screen_.Get()), p);
  EXPECT_EQ(image.Decoded(), nullptr) << "GetImage leaves the image empty";

  natural = {};
  ScopedBitmap resized = GetImage(image, screen_.Get(), bmp, natural, 4, 3, messages);
  ASSERT_TRUE(resized);
  EXPECT_EQ(BitmapSize(resized.Get()), (Size{4, 3}));
  EXPECT_EQ(natural, (Size{9, 6})) << "the decoded size, not the resized one";
  EXPECT_EQ(image.Resized(), nullptr);
  EXPECT_TRUE(messages.shown.empty());

  // One zero side still takes the resize path, which cannot make an empty picture.
  EXPECT_FALSE(GetImage(image, screen_.Get(), bmp, natural, 4, 0, messages));
  EXPECT_EQ(messages.shown, std::vector<std::string>{std::string(kResizeImageFailedMessage)});
  EXPECT_EQ(image.Decoded(), nullptr);
}

TEST_F(ScreenTest, GetImageOfARefusedFormatShowsBothMessages) {
  const std::vector<std::uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0};
  CollectedMessages messages;
  CImageRGB image;
  Size natural;
  EXPECT_FALSE(GetImage(image, screen_.Get(), gif, natural, 0, 0, messages));
  EXPECT_EQ(messages.shown, (std::vector<std::string>{std::string(kUnsupportedPictureMessage),
                                                      std::string(kLoadImageFailedMessage)}));

  // Damaged data of a read format: only the second message.
  messages.shown.clear();
  std::vector<std::uint8_t> cut = EncodeBmp(Pattern(4, 4));
  cut.resize(cut.size() - 5);
  EXPECT_FALSE(GetImage(image, screen_.Get(), cut, natural, 2, 2, messages));
  EXPECT_EQ(messages.shown, std::vector<std::string>{std::string(kLoadImageFailedMessage)});
}

TEST_F(ScreenTest, GetRenderedImageEmptiesTheImage) {
  CImageRGB image;
  image.SetDecodedPixels(Pattern(6, 4));
  Size natural;
  ScopedBitmap first = GetRenderedImage(image, screen_.Get(), natural, 3, 2);
  ASSERT_TRUE(first);
  EXPECT_EQ(BitmapSize(first.Get()), (Size{3, 2}));
  EXPECT_EQ(natural, (Size{6, 4}));
  EXPECT_FALSE(GetRenderedImage(image, screen_.Get(), natural, 0, 0)) << "nothing held any more";
}

// A memory "screen" filled with one colour, with a 1-bit default bitmap swapped for a
// display-compatible one.
class MemoryScreen {
 public:
  MemoryScreen(HDC screen, int width, int height, COLORREF fill)
      : dc_(CreateCompatibleDC(screen)), bitmap_(CreateCompatibleBitmap(screen, width, height)),
        select_(dc_.Get(), bitmap_.Get()) {
    ScopedBrush brush(CreateSolidBrush(fill));
    RECT all{0, 0, width, height};
    FillRect(dc_.Get(), &all, brush.Get());
  }
  HDC Get() const { return dc_.Get(); }

 private:
  ScopedMemoryDC dc_;
  ScopedBitmap bitmap_;
  CScopedSelect select_;
};

// Ink where (x + y) is even, the key colour elsewhere.
CPixelBuffer KeyedText(int width, int height, COLORREF ink) {
  CPixelBuffer p(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) p.SetPixel(x, y, (x + y) % 2 ? kTextKeyColor : ink);
  return p;
}

TEST_F(ScreenTest, DrawKeyedLeavesKeyPixelsAndClipsAtTheEdge) {
  constexpr COLORREF kBack = RGB(10, 20, 30), kInk = RGB(200, 0, 100);
  MemoryScreen target(screen_.Get(), 8, 6, kBack);
  CImageRGB image;
  image.SetDecodedPixels(KeyedText(4, 3, kInk));
  ASSERT_TRUE(DrawKeyed(image, target.Get(), 6, 4, kTextKeyColor));  // half outside
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool inside = x >= 6 && y >= 4;
      const COLORREF expected = inside && (x - 6 + y - 4) % 2 == 0 ? kInk : kBack;
      EXPECT_EQ(GetPixel(target.Get(), x, y), expected) << x << "," << y;
    }
  image.FreePixels(false);
  EXPECT_FALSE(DrawKeyed(image, target.Get(), 0, 0, kTextKeyColor));
}

TEST_F(ScreenTest, CompositeShowsTheScreenThroughTheKeyInsideTheRectangle) {
  constexpr COLORREF kBack = RGB(0, 90, 180), kInk = RGB(250, 250, 0);
  MemoryScreen target(screen_.Get(), 20, 10, kBack);
  SetPixel(target.Get(), 6, 3, RGB(1, 2, 3));  // a mark under a key pixel
  CImageRGB image;
  image.SetDecodedPixels(KeyedText(5, 4, kInk));
  CollectedMessages messages;
  // Text at (4, 2); the composite covers (3, 1) to (12, 7).
  ScopedBitmap composite = GetCompositeImage(image, target.Get(), 4, 2, {3, 1, 12, 7}, messages);
  ASSERT_TRUE(composite);
  auto pixels = PixelsOf(composite, screen_.Get());
  ASSERT_TRUE(pixels.has_value());
  ASSERT_EQ(pixels->Width(), 9);
  ASSERT_EQ(pixels->Height(), 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 9; ++x) {
      const int sx = x + 3, sy = y + 1, tx = sx - 4, ty = sy - 2;
      const bool ink = tx >= 0 && tx < 5 && ty >= 0 && ty < 4 && (tx + ty) % 2 == 0;
      const COLORREF under = sx == 6 && sy == 3 ? RGB(1, 2, 3) : kBack;
      EXPECT_EQ(pixels->PixelAt(x, y), ink ? kInk : under) << x << "," << y;
    }
  EXPECT_NE(image.Decoded(), nullptr) << "the held pixels stay";
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ScreenTest, BitmapHelpersRefuseMissingBitmaps) {
  EXPECT_FALSE(BitmapSize(nullptr).has_value());
  EXPECT_FALSE(BitmapToPixels(nullptr, screen_.Get()).has_value());
  CImageRGB image;
  EXPECT_FALSE(LoadFromBitmap(image, nullptr, screen_.Get()));
  EXPECT_FALSE(PackedDibToDeviceBitmap({}, screen_.Get()));
}

TEST_F(ScreenTest, EveryGdiObjectIsGivenBack) {
  const long objects = LiveCounts::gdi_objects, dcs = LiveCounts::dcs;
  {
    CImageRGB image;
    CollectedMessages messages;
    Size natural;
    ScopedBitmap b = GetImage(image, screen_.Get(), EncodeBmp(Pattern(5, 5)), natural, 3, 3, messages);
    image.SetDecodedPixels(KeyedText(3, 3, 0));
    ScopedBitmap c = GetCompositeImage(image, screen_.Get(), 0, 0, {0, 0, 4, 4}, messages);
    EXPECT_TRUE(b && c);
  }
  EXPECT_EQ(LiveCounts::gdi_objects, objects);
  EXPECT_EQ(LiveCounts::dcs, dcs);
}

}  // namespace
}  // namespace saver::win
