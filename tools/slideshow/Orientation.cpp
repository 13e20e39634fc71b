#include "slideshow/Orientation.h"

#include <array>
#include <cstring>

namespace saver::tool {
namespace {

// Where an upright pixel (x, y) comes from: with `swap` the stored column is y and the stored row
// is x, else column x and row y; then each is counted from the far side when flipped.
struct Mapping {
  bool swap, flip_column, flip_row;
};

constexpr std::array<Mapping, 9> kMappings = {{
    {false, false, false},  // (no tag 0: as 1)
    {false, false, false},  // 1 upright
    {false, true, false},   // 2 mirrored left to right
    {false, true, true},    // 3 turned half round
    {false, false, true},   // 4 mirrored top to bottom
    {true, false, false},   // 5 mirrored along the main diagonal
    {true, false, true},    // 6 stored a quarter turn anticlockwise: turn it clockwise
    {true, true, true},     // 7 mirrored along the other diagonal
    {true, true, false},    // 8 stored a quarter turn clockwise: turn it anticlockwise
}};

const Mapping& MappingOf(int orientation) {
  return kMappings[orientation >= 1 && orientation <= 8 ? orientation : 1];
}

}  // namespace

bool SwapsSides(int orientation) { return MappingOf(orientation).swap; }

Size UprightSize(Size stored, int orientation) {
  return SwapsSides(orientation) ? Size{stored.height, stored.width} : stored;
}

CPixelBuffer TurnUpright(const CPixelBuffer& stored, int orientation) {
  const Mapping& mapping = MappingOf(orientation);
  const Size size = UprightSize({stored.Width(), stored.Height()}, orientation);
  CPixelBuffer upright(size.width, size.height);
  for (int y = 0; y < size.height; ++y) {
    std::uint8_t* out = upright.Row(y);
    for (int x = 0; x < size.width; ++x, out += 3) {
      int column = mapping.swap ? y : x;
      int row = mapping.swap ? x : y;
      if (mapping.flip_column) column = stored.Width() - 1 - column;
      if (mapping.flip_row) row = stored.Height() - 1 - row;
      std::memcpy(out, stored.Row(row) + column * 3, 3);
    }
  }
  return upright;
}

}  // namespace saver::tool
