#include "imaging/win/ImageRGBDrawing.h"

#include "imaging/DibRows.h"
#include "imaging/KeyedDraw.h"
#include "imaging/PictureLimits.h"
#include "imaging/win/DeviceBitmaps.h"

namespace saver::win {

namespace {

ScopedBitmap BitmapOf(const CPixelBuffer& pixels, HDC dc, bool dib_fallback) {
  ScopedBitmap bitmap = PixelsToDeviceBitmap(pixels, dc);
  if (!bitmap && dib_fallback) bitmap = PackedDibToDeviceBitmap(PackDib(pixels), dc);
  return bitmap;
}

}  // namespace

ScopedBitmap MakeBitmap(const CImageRGB& image, HDC dc, bool use_decoded) {
  const CPixelBuffer* pixels = use_decoded ? image.Decoded() : image.Resized();
  return pixels ? BitmapOf(*pixels, dc, use_decoded) : ScopedBitmap();
}

ScopedBitmap GetImage(CImageRGB& image, HDC dc, std::span<const std::uint8_t> bytes, Size& natural, int width,
                      int height, CMessageSink& messages) {
  auto pixels = image.TakeImage(bytes, {width, height}, natural, messages);
  return pixels ? BitmapOf(*pixels, dc, width == 0 && height == 0) : ScopedBitmap();
}

ScopedBitmap GetRenderedImage(CImageRGB& image, HDC dc, Size& natural, int width, int height) {
  auto pixels = image.TakeRenderedImage({width, height}, natural);
  return pixels ? BitmapOf(*pixels, dc, width == 0 && height == 0) : ScopedBitmap();
}

bool LoadFromBitmap(CImageRGB& image, HBITMAP bitmap, HDC dc) {
  image.FreePixels(false);
  auto pixels = BitmapToPixels(bitmap, dc);
  if (!pixels) return false;
  image.SetDecodedPixels(std::move(*pixels));
  return true;
}

bool DrawKeyed(const CImageRGB& image, HDC dc, int x, int y, std::uint32_t key) {
  return image.Decoded() && DrawPixelsKeyed(dc, *image.Decoded(), {x, y}, key);
}

ScopedBitmap GetCompositeImage(const CImageRGB& image, HDC dc, int x, int y, Rect rect, CMessageSink& messages) {
  // Only the rectangle is read from the screen and keyed, which gives the same picture as
  // keying onto a copy of the whole screen without holding one.
  std::optional<CPixelBuffer> composite = DcRectToPixels(dc, rect);
  if (!composite) {
    messages.Show(kDcConversionFailedMessage);
    composite = AllocatePicture(rect.Width(), rect.Height());  // black, then the text
    if (!composite) return {};
  }
  if (image.Decoded()) DrawKeyed(*composite, *image.Decoded(), {x - rect.left, y - rect.top}, kTextKeyColor);
  return PixelsToDeviceBitmap(*composite, dc);
}

}  // namespace saver::win
