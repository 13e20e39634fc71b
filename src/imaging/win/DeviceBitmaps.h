#pragma once
// Conversions between 24-bit pixel buffers and GDI: device bitmaps, packed DIBs, device
// contexts. Every call reports failure as an empty owner or an empty optional.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

#include "base/win/ScopedWin.h"
#include "imaging/PixelBuffer.h"
#include "imaging/Rect.h"

namespace saver::win {

// A bitmap compatible with `dc` holding the pixels.
ScopedBitmap PixelsToDeviceBitmap(const CPixelBuffer& pixels, HDC dc);
// A bitmap compatible with `dc` made from a packed DIB (header, then rows).
ScopedBitmap PackedDibToDeviceBitmap(std::span<const std::uint8_t> dib, HDC dc);

// The size from the bitmap's own description; nothing without a readable bitmap.
std::optional<Size> BitmapSize(HBITMAP bitmap);
// All pixels of a bitmap that is not selected into any DC; `dc` gives the colour context.
std::optional<CPixelBuffer> BitmapToPixels(HBITMAP bitmap, HDC dc);
// The pixels of a rectangle of what `dc` shows.
std::optional<CPixelBuffer> DcRectToPixels(HDC dc, Rect rect);

// Draws the pixels with their top-left corner at `at`, leaving `dc` unchanged wherever a
// pixel equals `key` (a COLORREF).
bool DrawPixelsKeyed(HDC dc, const CPixelBuffer& pixels, Point at, std::uint32_t key);

}  // namespace saver::win
