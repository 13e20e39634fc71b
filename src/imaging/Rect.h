#pragma once
#include <algorithm>

namespace saver {

// Integer rectangles are half-open everywhere in the engine: right = left + width and
// bottom = top + height; the pixel at (right, y) lies outside. Same layout as a Win32 RECT.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;

  static constexpr Rect FromSize(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
  }
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(int x, int y) const {
    return x >= left && x < right && y >= top && y < bottom;
  }
  constexpr Rect Intersect(const Rect& o) const {
    Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
           std::min(bottom, o.bottom)};
    return r.IsEmpty() ? Rect{} : r;
  }
  constexpr Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  constexpr bool operator==(const Rect&) const = default;
};

struct Point {
  int x = 0, y = 0;
  constexpr bool operator==(const Point&) const = default;
};

struct Size {
  int width = 0, height = 0;
  constexpr bool operator==(const Size&) const = default;
};

}  // namespace saver
