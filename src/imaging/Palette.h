#pragma once
#include <array>
#include <cstdint>

namespace saver {

// Up to 256 colours of an indexed picture, in R, G, B order. Entries a file does not define
// stay black, so any index a damaged file holds is safe to look up.
struct Palette {
  std::array<std::uint8_t, 256 * 3> rgb{};

  void Set(int index, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    rgb[index * 3] = r;
    rgb[index * 3 + 1] = g;
    rgb[index * 3 + 2] = b;
  }
  void CopyTo(std::uint8_t index, std::uint8_t* out) const {
    out[0] = rgb[index * 3];
    out[1] = rgb[index * 3 + 1];
    out[2] = rgb[index * 3 + 2];
  }
};

}  // namespace saver
