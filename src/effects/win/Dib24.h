#pragma once
// The 24-bit DIB layout shared by the GDI drawing code: rows padded to 4 bytes, pixels in
// B, G, R order, described top-down (negative height) so that row 0 is the top row.
#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace saver::win {

inline std::size_t Dib24Stride(int width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }

inline BITMAPINFO Dib24TopDownInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// Between a pixel buffer's R, G, B and a DIB's B, G, R (the same swap both ways).
inline void SwapRedBlue(std::uint8_t* to, const std::uint8_t* from, int pixels) {
  for (int i = 0; i < pixels; ++i) {
    to[3 * i] = from[3 * i + 2];
    to[3 * i + 1] = from[3 * i + 1];
    to[3 * i + 2] = from[3 * i];
  }
}

}  // namespace saver::win
