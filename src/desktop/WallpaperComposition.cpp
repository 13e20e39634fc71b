#include "desktop/WallpaperComposition.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "imaging/BilinearResampler.h"

namespace saver {
namespace {

// Larger than any display; keeps the canvas size far from overflowing.
constexpr int kMaxScreenSide = 16384;

void Fill(CPixelBuffer& canvas, std::uint32_t colour) {
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) canvas.SetPixel(x, y, colour);
  }
}

// Copies the picture unscaled with its top-left corner at (left, top), cut by the canvas edges.
void Place(CPixelBuffer& canvas, const CPixelBuffer& picture, int left, int top) {
  const Rect target = Rect::FromSize(left, top, picture.Width(), picture.Height())
                          .Intersect(Rect::FromSize(0, 0, canvas.Width(), canvas.Height()));
  if (target.IsEmpty()) return;
  const std::size_t bytes = static_cast<std::size_t>(target.Width()) * 3;
  for (int y = target.top; y < target.bottom; ++y) {
    std::memcpy(canvas.Row(y) + target.left * 3, picture.Row(y - top) + (target.left - left) * 3, bytes);
  }
}

void Centre(CPixelBuffer& canvas, const CPixelBuffer& picture) {
  Place(canvas, picture, (canvas.Width() - picture.Width()) / 2, (canvas.Height() - picture.Height()) / 2);
}

void Tile(CPixelBuffer& canvas, const CPixelBuffer& picture) {
  for (int left = 0; left < canvas.Width(); left += picture.Width()) {
    for (int top = 0; top < canvas.Height(); top += picture.Height()) Place(canvas, picture, left, top);
  }
}

// Each canvas pixel takes the picture pixel its position falls on, as a colour-on-colour
// stretch does.
void Stretch(CPixelBuffer& canvas, const CPixelBuffer& picture) {
  const std::int64_t w = picture.Width(), h = picture.Height();
  for (int y = 0; y < canvas.Height(); ++y) {
    const std::uint8_t* source_row = picture.Row(static_cast<int>(y * h / canvas.Height()));
    std::uint8_t* row = canvas.Row(y);
    for (int x = 0; x < canvas.Width(); ++x) {
      std::memcpy(row + x * 3, source_row + (x * w / canvas.Width()) * 3, 3);
    }
  }
}

// Where the whole picture lies when scaled into `area` with its aspect kept and centred: the
// whole area covered (the overhang cut off later) or the whole picture inside the area.
Rect ScaledPlacement(Size picture, const Rect& area, bool cover) {
  const std::int64_t w = picture.width, h = picture.height, area_w = area.Width(), area_h = area.Height();
  const bool relatively_wider = w * area_h > area_w * h;
  std::int64_t scaled_w = area_w, scaled_h = area_h;
  if (relatively_wider == cover) {
    scaled_w = std::max<std::int64_t>(1, (w * area_h + h / 2) / h);
  } else {
    scaled_h = std::max<std::int64_t>(1, (h * area_w + w / 2) / w);
  }
  return Rect::FromSize(area.left + static_cast<int>((area_w - scaled_w) / 2),
                        area.top + static_cast<int>((area_h - scaled_h) / 2), static_cast<int>(scaled_w),
                        static_cast<int>(scaled_h));
}

// The source pixels [first, last) under canvas pixels [from, to) of a picture of `source`
// pixels scaled to `scaled` pixels starting at canvas position `origin`.
std::pair<int, int> SourceSpan(int from, int to, int origin, int scaled, int source) {
  const std::int64_t first = std::int64_t{from - origin} * source / scaled;
  const std::int64_t last = (std::int64_t{to - origin} * source + scaled - 1) / scaled;
  return {static_cast<int>(first), static_cast<int>(std::clamp<std::int64_t>(last, first + 1, source))};
}

// Draws the picture scaled to `placement`, only where that meets the canvas: the part of the
// picture that shows is resampled straight into the canvas, so an overhang costs nothing.
void DrawScaled(CPixelBuffer& canvas, const CPixelBuffer& picture, const Rect& placement) {
  const Rect shown = placement.Intersect(Rect::FromSize(0, 0, canvas.Width(), canvas.Height()));
  if (shown.IsEmpty()) return;
  const auto [left, right] = SourceSpan(shown.left, shown.right, placement.left, placement.Width(), picture.Width());
  const auto [top, bottom] = SourceSpan(shown.top, shown.bottom, placement.top, placement.Height(), picture.Height());
  ResizeBilinear(picture.Row(top) + std::size_t{3} * left, right - left, bottom - top, picture.RowBytes(),
                 canvas.Row(shown.top) + std::size_t{3} * shown.left, shown.Width(), shown.Height(), canvas.RowBytes(), 3);
}

}  // namespace

std::optional<CPixelBuffer> PlainDesktop(Size screen, std::uint32_t desktop_colour) {
  if (screen.width <= 0 || screen.height <= 0 || screen.width > kMaxScreenSide || screen.height > kMaxScreenSide) {
    return std::nullopt;
  }
  CPixelBuffer canvas(screen.width, screen.height);
  Fill(canvas, desktop_colour);
  return canvas;
}

std::optional<CPixelBuffer> ComposeWallpaper(const CPixelBuffer& picture, const ScreenLayout& layout,
                                             WallpaperStyle style, std::uint32_t desktop_colour) {
  auto canvas = PlainDesktop(layout.screen, desktop_colour);
  if (!canvas || picture.IsEmpty()) return canvas;
  const Size picture_size{picture.Width(), picture.Height()};
  const Rect screen = Rect::FromSize(0, 0, layout.screen.width, layout.screen.height);
  switch (style) {
    case WallpaperStyle::kTiled: Tile(*canvas, picture); break;
    case WallpaperStyle::kStretched: Stretch(*canvas, picture); break;
    case WallpaperStyle::kFit: DrawScaled(*canvas, picture, ScaledPlacement(picture_size, screen, false)); break;
    case WallpaperStyle::kFill: DrawScaled(*canvas, picture, ScaledPlacement(picture_size, screen, true)); break;
    case WallpaperStyle::kSpan:
      DrawScaled(*canvas, picture, ScaledPlacement(picture_size, layout.desktop.IsEmpty() ? screen : layout.desktop, true));
      break;
    default: Centre(*canvas, picture); break;
  }
  return canvas;
}

}  // namespace saver
