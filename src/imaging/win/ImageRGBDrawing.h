#pragma once
// The operations of CImageRGB that meet GDI: turning its pixels into device bitmaps for the
// placement code, reading a bitmap back, and keying a rendered text over the screen. The
// bitmaps handed out belong to the caller.
#include <windows.h>

#include <cstdint>
#include <span>
#include <string_view>

#include "base/win/ScopedWin.h"
#include "imaging/ImageRGB.h"
#include "imaging/MessageSink.h"

namespace saver::win {

inline constexpr std::string_view kDcConversionFailedMessage = "ImageRGB: DC conversion failed!";

// A bitmap of the decoded pixels (`use_decoded`) or of the resized ones; empty when there
// are none or GDI fails. The decoded pixels fall back on a packed DIB if the direct
// conversion fails.
ScopedBitmap MakeBitmap(const CImageRGB& image, HDC dc, bool use_decoded);

// CImageRGB::TakeImage, made into a bitmap for `dc`: `natural` receives the decoded size even
// when a resized bitmap is returned. Leaves the image empty.
ScopedBitmap GetImage(CImageRGB& image, HDC dc, std::span<const std::uint8_t> bytes, Size& natural, int width,
                      int height, CMessageSink& messages);

// CImageRGB::TakeRenderedImage, made into a bitmap for `dc`.
ScopedBitmap GetRenderedImage(CImageRGB& image, HDC dc, Size& natural, int width, int height);

// Takes a bitmap's pixels as the decoded pixels; the bitmap must not be selected in a DC.
bool LoadFromBitmap(CImageRGB& image, HBITMAP bitmap, HDC dc);

// Draws the decoded pixels at (x, y), skipping pixels equal to `key` (a COLORREF).
bool DrawKeyed(const CImageRGB& image, HDC dc, int x, int y, std::uint32_t key);

// What the decoded pixels keyed at (x, y) over the screen look like inside `rect`, as one
// opaque bitmap. The held pixels stay.
ScopedBitmap GetCompositeImage(const CImageRGB& image, HDC dc, int x, int y, Rect rect, CMessageSink& messages);

}  // namespace saver::win
