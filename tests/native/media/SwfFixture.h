#pragma once
// Flash file heads made at test time: the 8-byte file head and the frame RECT behind it.
#include <algorithm>
#include <cstdint>
#include <vector>

namespace saver::testing_support {

// Writes big-endian bit fields, as the SWF RECT stores them.
class BitWriter {
 public:
  void Write(std::uint32_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
      if (bit_ % 8 == 0) bytes_.push_back(0);
      if ((value >> i) & 1) bytes_.back() |= static_cast<std::uint8_t>(0x80 >> (bit_ % 8));
      ++bit_;
    }
  }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
  int bit_ = 0;
};

inline std::vector<std::uint8_t> SwfRect(int n, std::uint32_t x_min, std::uint32_t x_max, std::uint32_t y_min, std::uint32_t y_max) {
  BitWriter w;
  w.Write(static_cast<std::uint32_t>(n), 5);
  for (std::uint32_t v : {x_min, x_max, y_min, y_max}) w.Write(v, n);
  std::vector<std::uint8_t> rect = w.Bytes();
  rect.insert(rect.end(), {0x00, 0x18, 0x01, 0x00});  // frame rate and count follow the RECT
  return rect;
}

inline std::vector<std::uint8_t> Movie(const char* signature, const std::vector<std::uint8_t>& body) {
  std::vector<std::uint8_t> file(8 + body.size(), 0);
  std::copy(signature, signature + 3, file.begin());
  file[3] = 8;  // version
  std::copy(body.begin(), body.end(), file.begin() + 8);
  return file;
}

}  // namespace saver::testing_support
