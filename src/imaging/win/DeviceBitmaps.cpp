#include "imaging/win/DeviceBitmaps.h"

#include <cstring>
#include <new>
#include <vector>

#include "imaging/DibRows.h"
#include "imaging/KeyedDraw.h"
#include "imaging/PictureLimits.h"
#include "imaging/win/Dib32.h"

namespace saver::win {
namespace {

std::size_t WordCount(const CPixelBuffer& pixels) {
  return static_cast<std::size_t>(pixels.Width()) * static_cast<std::size_t>(pixels.Height());
}

// The pixels in the layout of Dib32TopDownInfo(width, height).
std::optional<std::vector<std::uint32_t>> Dib32WordsOf(const CPixelBuffer& pixels) {
  try {
    std::vector<std::uint32_t> words(WordCount(pixels));
    for (int y = 0; y < pixels.Height(); ++y) {
      RgbToDib32(words.data() + static_cast<std::size_t>(y) * pixels.Width(), pixels.Row(y), pixels.Width());
    }
    return words;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace

ScopedBitmap PixelsToDeviceBitmap(const CPixelBuffer& pixels, HDC dc) {
  if (pixels.IsEmpty() || !dc) return {};
  auto words = Dib32WordsOf(pixels);
  if (!words) return {};
  ScopedBitmap bitmap(CreateCompatibleBitmap(dc, pixels.Width(), pixels.Height()));
  if (!bitmap) return {};
  BITMAPINFO info = Dib32TopDownInfo(pixels.Width(), pixels.Height());
  if (SetDIBits(dc, bitmap.Get(), 0, pixels.Height(), words->data(), &info, DIB_RGB_COLORS) != pixels.Height())
    return {};
  return bitmap;
}

ScopedBitmap PackedDibToDeviceBitmap(std::span<const std::uint8_t> dib, HDC dc) {
  if (dib.size() < sizeof(BITMAPINFOHEADER) || !dc) return {};
  BITMAPINFOHEADER header;
  std::memcpy(&header, dib.data(), sizeof header);
  if (header.biSize != sizeof header || header.biBitCount != 24 || header.biCompression != BI_RGB) return {};
  const long long height = header.biHeight < 0 ? -static_cast<long long>(header.biHeight) : header.biHeight;
  if (!IsAcceptedPictureSize(header.biWidth, height) ||
      dib.size() - sizeof header < DibStride(header.biWidth) * static_cast<std::size_t>(height))
    return {};
  const auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
  return ScopedBitmap(CreateDIBitmap(dc, &header, CBM_INIT, dib.data() + sizeof header, info, DIB_RGB_COLORS));
}

std::optional<Size> BitmapSize(HBITMAP bitmap) {
  BITMAP description{};
  if (!bitmap || GetObjectW(bitmap, sizeof description, &description) != sizeof description) return std::nullopt;
  return Size{description.bmWidth, description.bmHeight};
}

std::optional<CPixelBuffer> BitmapToPixels(HBITMAP bitmap, HDC dc) {
  auto size = BitmapSize(bitmap);
  if (!size || !dc) return std::nullopt;
  auto pixels = AllocatePicture(size->width, size->height);
  if (!pixels) return std::nullopt;
  try {
    std::vector<std::uint32_t> words(WordCount(*pixels));
    BITMAPINFO info = Dib32TopDownInfo(size->width, size->height);
    if (GetDIBits(dc, bitmap, 0, size->height, words.data(), &info, DIB_RGB_COLORS) != size->height)
      return std::nullopt;
    for (int y = 0; y < size->height; ++y) {
      Dib32ToRgb(pixels->Row(y), words.data() + static_cast<std::size_t>(y) * size->width, size->width);
    }
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  return pixels;
}

std::optional<CPixelBuffer> DcRectToPixels(HDC dc, Rect rect) {
  if (!dc || !IsAcceptedPictureSize(rect.Width(), rect.Height())) return std::nullopt;
  ScopedMemoryDC memory(CreateCompatibleDC(dc));
  ScopedBitmap copy(CreateCompatibleBitmap(dc, rect.Width(), rect.Height()));
  if (!memory || !copy) return std::nullopt;
  {
    CScopedSelect select(memory.Get(), copy.Get());
    if (!BitBlt(memory.Get(), 0, 0, rect.Width(), rect.Height(), dc, rect.left, rect.top, SRCCOPY))
      return std::nullopt;
  }
  return BitmapToPixels(copy.Get(), dc);
}

bool DrawPixelsKeyed(HDC dc, const CPixelBuffer& pixels, Point at, std::uint32_t key) {
  if (pixels.IsEmpty()) return false;
  // Read what lies under the picture, key the picture onto it, and put the result back.
  auto under = DcRectToPixels(dc, Rect::FromSize(at.x, at.y, pixels.Width(), pixels.Height()));
  if (!under) return false;
  DrawKeyed(*under, pixels, {0, 0}, key);
  auto words = Dib32WordsOf(*under);
  if (!words) return false;
  BITMAPINFO info = Dib32TopDownInfo(under->Width(), under->Height());
  return SetDIBitsToDevice(dc, at.x, at.y, under->Width(), under->Height(), 0, 0, 0, under->Height(),
                           words->data(), &info, DIB_RGB_COLORS) != 0;
}

}  // namespace saver::win
