#include "desktop/WallpaperComposition.h"

#include <algorithm>
#include <cstring>

namespace saver {
namespace {

// Larger than any display; keeps the canvas size far from overflowing.
constexpr int kMaxScreenSide = 16384;

void Fill(PixelBuffer& canvas, std::uint32_t colour) {
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) canvas.SetPixel(x, y, colour);
  }
}

// Copies the picture unscaled with its top-left corner at (left, top), cut by the canvas edges.
void Place(PixelBuffer& canvas, const PixelBuffer& picture, int left, int top) {
  const Rect target = Rect::FromSize(left, top, picture.Width(), picture.Height())
                          .Intersect(Rect::FromSize(0, 0, canvas.Width(), canvas.Height()));
  if (target.IsEmpty()) return;
  const std::size_t bytes = static_cast<std::size_t>(target.Width()) * 3;
  for (int y = target.top; y < target.bottom; ++y) {
    std::memcpy(canvas.Row(y) + target.left * 3, picture.Row(y - top) + (target.left - left) * 3, bytes);
  }
}

void Centre(PixelBuffer& canvas, const PixelBuffer& picture) {
  Place(canvas, picture, (canvas.Width() - picture.Width()) / 2, (canvas.Height() - picture.Height()) / 2);
}

void Tile(PixelBuffer& canvas, const PixelBuffer& picture) {
  for (int left = 0; left < canvas.Width(); left += picture.Width()) {
    for (int top = 0; top < canvas.Height(); top += picture.Height()) Place(canvas, picture, left, top);
  }
}

// Each canvas pixel takes the picture pixel its position falls on, as a colour-on-colour
// stretch does.
void Stretch(PixelBuffer& canvas, const PixelBuffer& picture) {
  const std::int64_t w = picture.Width(), h = picture.Height();
  for (int y = 0; y < canvas.Height(); ++y) {
    const std::uint8_t* source_row = picture.Row(static_cast<int>(y * h / canvas.Height()));
    std::uint8_t* row = canvas.Row(y);
    for (int x = 0; x < canvas.Width(); ++x) {
      std::memcpy(row + x * 3, source_row + (x * w / canvas.Width()) * 3, 3);
    }
  }
}

}  // namespace

std::optional<PixelBuffer> PlainDesktop(Size screen, std::uint32_t desktop_colour) {
  if (screen.width <= 0 || screen.height <= 0 || screen.width > kMaxScreenSide || screen.height > kMaxScreenSide) {
    return std::nullopt;
  }
  PixelBuffer canvas(screen.width, screen.height);
  Fill(canvas, desktop_colour);
  return canvas;
}

std::optional<PixelBuffer> ComposeWallpaper(const PixelBuffer& picture, Size screen, WallpaperStyle style,
                                            std::uint32_t desktop_colour) {
  auto canvas = PlainDesktop(screen, desktop_colour);
  if (!canvas || picture.IsEmpty()) return canvas;
  switch (style) {
    case WallpaperStyle::kTiled: Tile(*canvas, picture); break;
    case WallpaperStyle::kStretched: Stretch(*canvas, picture); break;
    default: Centre(*canvas, picture); break;
  }
  return canvas;
}

}  // namespace saver
