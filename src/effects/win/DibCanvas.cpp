#include "effects/win/DibCanvas.h"

#include "effects/win/Dib24.h"

namespace saver::win {

DibCanvas::DibCanvas(const PixelBuffer& pixels) : width_(pixels.Width()), height_(pixels.Height()) {
  const BITMAPINFO info = Dib24TopDownInfo(width_, height_);
  bitmap_ = ScopedBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
  dc_ = ScopedMemoryDC(CreateCompatibleDC(nullptr));
  if (!Valid()) return;
  selection_.emplace(dc_.Get(), bitmap_.Get());
  for (int y = 0; y < height_; ++y) SwapRedBlue(Row(y), pixels.Row(y), width_);
}

std::uint8_t* DibCanvas::Row(int y) const { return static_cast<std::uint8_t*>(bits_) + Dib24Stride(width_) * y; }

PixelBuffer DibCanvas::Read(const Rect& area) const {
  GdiFlush();
  const Rect inside = area.Intersect(Rect::FromSize(0, 0, width_, height_));
  PixelBuffer out(area.Width(), area.Height());
  if (!Valid()) return out;
  for (int y = inside.top; y < inside.bottom; ++y) {
    SwapRedBlue(out.Row(y - area.top) + 3 * (inside.left - area.left), Row(y) + 3 * inside.left, inside.Width());
  }
  return out;
}

}  // namespace saver::win
