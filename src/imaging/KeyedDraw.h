#pragma once
#include <cstdint>

#include "imaging/PixelBuffer.h"
#include "imaging/Rect.h"

namespace saver {

// Background of texts drawn without one of their own (COLORREF 0x00BBGGRR): pixels of exactly
// this colour are transparent when such a text is keyed onto the screen.
inline constexpr std::uint32_t kTextKeyColor = 0xE0E0E0;

// Copies `src` onto `dst` with its top-left corner at `at`, leaving `dst` unchanged wherever
// the source pixel equals `key` (a COLORREF). Parts outside `dst` are clipped.
void DrawKeyed(CPixelBuffer& dst, const CPixelBuffer& src, Point at, std::uint32_t key);

}  // namespace saver
