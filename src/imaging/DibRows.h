#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/PixelBuffer.h"

namespace saver {

// Device-independent bitmaps keep 24-bit pixels as B, G, R with every row padded to a multiple
// of 4 bytes; the pixel buffers keep R, G, B packed.
std::size_t DibStride(int width);
void PixelsToDibRows(const CPixelBuffer& pixels, bool bottom_up, std::uint8_t* rows);

inline constexpr std::size_t kDibHeaderSize = 40;

// A packed DIB: a 40-byte BITMAPINFOHEADER (24 bits, no compression, bottom-up) followed by
// the rows. Empty when the buffer is.
std::vector<std::uint8_t> PackDib(const CPixelBuffer& pixels);

}  // namespace saver
