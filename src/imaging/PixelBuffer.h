#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace saver {

// A 24-bit picture in memory: three bytes per pixel in R, G, B order, rows from the top down,
// each row exactly width * 3 bytes (no padding). It knows nothing of drawing.
class CPixelBuffer {
 public:
  CPixelBuffer() = default;
  CPixelBuffer(int width, int height)
      : width_(width), height_(height), bytes_(static_cast<std::size_t>(width) * height * 3) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }
  std::size_t RowBytes() const { return static_cast<std::size_t>(width_) * 3; }
  std::size_t ByteCount() const { return bytes_.size(); }

  std::uint8_t* Row(int y) { return bytes_.data() + RowBytes() * y; }
  const std::uint8_t* Row(int y) const { return bytes_.data() + RowBytes() * y; }
  std::uint8_t* Data() { return bytes_.data(); }
  const std::uint8_t* Data() const { return bytes_.data(); }

  // Colour as a Win32 COLORREF (0x00BBGGRR).
  std::uint32_t PixelAt(int x, int y) const {
    const std::uint8_t* p = Row(y) + x * 3;
    return p[0] | (p[1] << 8) | (static_cast<std::uint32_t>(p[2]) << 16);
  }
  void SetPixel(int x, int y, std::uint32_t colorref) {
    std::uint8_t* p = Row(y) + x * 3;
    p[0] = colorref & 0xFF;
    p[1] = (colorref >> 8) & 0xFF;
    p[2] = (colorref >> 16) & 0xFF;
  }

  bool operator==(const CPixelBuffer&) const = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> bytes_;
};

}  // namespace saver
