#pragma once
// The DIB layout in which pixel buffers meet GDI: 32 bits a pixel (B, G, R, unused byte, read as
// one little-endian 0x00RRGGBB word), described top-down (negative height) so that row 0 is the
// top row. Rows need no padding, and GDI copies this layout to a true-colour device without
// repacking, which makes it many times faster than 24-bit rows (under Wine above all).
#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace saver::win {

inline BITMAPINFO Dib32TopDownInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A pixel buffer's packed R, G, B into DIB words; written as whole words so that the compiler
// can vectorise the loop.
inline void RgbToDib32(std::uint32_t* to, const std::uint8_t* from, int pixels) {
  for (int i = 0; i < pixels; ++i) {
    to[i] = (std::uint32_t{from[3 * i]} << 16) | (std::uint32_t{from[3 * i + 1]} << 8) | from[3 * i + 2];
  }
}

// DIB words back into packed R, G, B; the unused byte is ignored.
inline void Dib32ToRgb(std::uint8_t* to, const std::uint32_t* from, int pixels) {
  for (int i = 0; i < pixels; ++i) {
    to[3 * i] = static_cast<std::uint8_t>(from[i] >> 16);
    to[3 * i + 1] = static_cast<std::uint8_t>(from[i] >> 8);
    to[3 * i + 2] = static_cast<std::uint8_t>(from[i]);
  }
}

}  // namespace saver::win
