#include "imaging/DibRows.h"

namespace saver {
namespace {

void Put16(std::uint8_t* p, std::uint32_t v) { p[0] = v & 0xFF, p[1] = (v >> 8) & 0xFF; }
void Put32(std::uint8_t* p, std::uint32_t v) { Put16(p, v), Put16(p + 2, v >> 16); }

}  // namespace

std::size_t DibStride(int width) { return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}; }

void PixelsToDibRows(const CPixelBuffer& pixels, bool bottom_up, std::uint8_t* rows) {
  const std::size_t stride = DibStride(pixels.Width());
  for (int y = 0; y < pixels.Height(); ++y) {
    const std::uint8_t* s = pixels.Row(y);
    std::uint8_t* d = rows + stride * (bottom_up ? pixels.Height() - 1 - y : y);
    for (int x = 0; x < pixels.Width(); ++x, s += 3, d += 3) d[0] = s[2], d[1] = s[1], d[2] = s[0];
  }
}

std::vector<std::uint8_t> PackDib(const CPixelBuffer& pixels) {
  if (pixels.IsEmpty()) return {};
  const std::size_t image_size = DibStride(pixels.Width()) * pixels.Height();
  std::vector<std::uint8_t> dib(kDibHeaderSize + image_size);
  std::uint8_t* h = dib.data();
  Put32(h, kDibHeaderSize);
  Put32(h + 4, pixels.Width());
  Put32(h + 8, pixels.Height());
  Put16(h + 12, 1);   // planes
  Put16(h + 14, 24);  // bits per pixel
  Put32(h + 20, static_cast<std::uint32_t>(image_size));
  PixelsToDibRows(pixels, true, h + kDibHeaderSize);
  return dib;
}

}  // namespace saver
