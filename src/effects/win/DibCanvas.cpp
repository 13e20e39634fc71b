#include "effects/win/DibCanvas.h"

#include "imaging/win/Dib32.h"

namespace saver::win {

CDibCanvas::CDibCanvas(const CPixelBuffer& pixels) : width_(pixels.Width()), height_(pixels.Height()) {
  const BITMAPINFO info = Dib32TopDownInfo(width_, height_);
  bitmap_ = ScopedBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
  dc_ = ScopedMemoryDC(CreateCompatibleDC(nullptr));
  if (!Valid()) return;
  selection_.emplace(dc_.Get(), bitmap_.Get());
  for (int y = 0; y < height_; ++y) RgbToDib32(Row(y), pixels.Row(y), width_);
}

std::uint32_t* CDibCanvas::Row(int y) const {
  return static_cast<std::uint32_t*>(bits_) + static_cast<std::size_t>(width_) * y;
}

CPixelBuffer CDibCanvas::Read(const Rect& area) const {
  GdiFlush();
  const Rect inside = area.Intersect(Rect::FromSize(0, 0, width_, height_));
  CPixelBuffer out(area.Width(), area.Height());
  if (!Valid()) return out;
  for (int y = inside.top; y < inside.bottom; ++y) {
    Dib32ToRgb(out.Row(y - area.top) + 3 * (inside.left - area.left), Row(y) + inside.left, inside.Width());
  }
  return out;
}

}  // namespace saver::win
