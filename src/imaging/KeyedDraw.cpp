#include "imaging/KeyedDraw.h"

namespace saver {

void DrawKeyed(CPixelBuffer& dst, const CPixelBuffer& src, Point at, std::uint32_t key) {
  const Rect visible =
      Rect::FromSize(at.x, at.y, src.Width(), src.Height()).Intersect({0, 0, dst.Width(), dst.Height()});
  const std::uint8_t kr = key & 0xFF, kg = (key >> 8) & 0xFF, kb = (key >> 16) & 0xFF;
  for (int y = visible.top; y < visible.bottom; ++y) {
    const std::uint8_t* s = src.Row(y - at.y) + static_cast<std::size_t>(visible.left - at.x) * 3;
    std::uint8_t* d = dst.Row(y) + static_cast<std::size_t>(visible.left) * 3;
    for (int x = visible.left; x < visible.right; ++x, s += 3, d += 3) {
      if (s[0] == kr && s[1] == kg && s[2] == kb) continue;
      d[0] = s[0], d[1] = s[1], d[2] = s[2];
    }
  }
}

}  // namespace saver
