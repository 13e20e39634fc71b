#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "effects/BlockClip.h"
#include "effects/MemorySurface.h"
#include "scene/ImageCanvas.h"

namespace saver {
namespace {

Rect Bounds(const CPixelBuffer& buffer) { return Rect::FromSize(0, 0, buffer.Width(), buffer.Height()); }

void CopyClipped(CPixelBuffer& to, Point at, const CPixelBuffer& from, Point from_origin) {
  const Rect destination = Rect::FromSize(at.x, at.y, from.Width(), from.Height());
  const auto block = ClipBlock(destination, from_origin, Bounds(to), Bounds(from));
  if (!block) return;
  const std::size_t bytes = static_cast<std::size_t>(block->destination.Width()) * 3;
  for (int row = 0; row < block->destination.Height(); ++row) {
    std::memcpy(to.Row(block->destination.top + row) + block->destination.left * 3,
                from.Row(block->source.y + row) + block->source.x * 3, bytes);
  }
}

// The part [t0, t1] of the segment from + t (to - from) that lies within `box`; false if none.
bool ClipSegment(double fx, double fy, double dx, double dy, const Rect& box, double& t0, double& t1) {
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {fx - box.left, box.right - 1 - fx, fy - box.top, box.bottom - 1 - fy};
  t0 = 0.0, t1 = 1.0;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
  }
  return t0 <= t1;
}

}  // namespace

void CPixelCanvas::Fill(const Rect& area, std::uint32_t colour) {
  const Rect cut = area.Intersect(Bounds(pixels_));
  for (int y = cut.top; y < cut.bottom; ++y) {
    for (int x = cut.left; x < cut.right; ++x) pixels_.SetPixel(x, y, colour);
  }
}

CPixelBuffer CropPixels(const CPixelBuffer& from, const Rect& area) {
  CPixelBuffer out(std::max(area.Width(), 0), std::max(area.Height(), 0));
  CopyClipped(out, {0, 0}, from, {area.left, area.top});
  return out;
}

bool CPixelCanvas::Read(const Rect& area, CPixelBuffer& out) {
  out = CropPixels(pixels_, area);
  return true;
}

void CPixelCanvas::Draw(Point at, const CPixelBuffer& pixels) { CopyClipped(pixels_, at, pixels, {0, 0}); }

// Steps one pixel at a time along the longer axis and leaves out the end point, as a GDI line
// does. Only the part inside the canvas is walked, so far-away ends cost nothing.
void CPixelCanvas::DrawLine(Point from, Point to, const LinePen& pen) {
  const double dx = static_cast<double>(to.x) - from.x;
  const double dy = static_cast<double>(to.y) - from.y;
  const double steps = std::max(std::fabs(dx), std::fabs(dy));
  double t0 = 0.0, t1 = 1.0;
  if (steps == 0.0 || !ClipSegment(from.x, from.y, dx, dy, Bounds(pixels_), t0, t1)) return;
  const auto first = static_cast<std::int64_t>(std::floor(t0 * steps));
  const auto last = std::min(static_cast<std::int64_t>(std::ceil(t1 * steps)),
                             static_cast<std::int64_t>(steps) - 1);
  for (std::int64_t i = first; i <= last; ++i) {
    const double t = static_cast<double>(i) / steps;
    const auto x = static_cast<std::int64_t>(std::lround(from.x + dx * t));
    const auto y = static_cast<std::int64_t>(std::lround(from.y + dy * t));
    if (x >= 0 && y >= 0 && x < pixels_.Width() && y < pixels_.Height()) {
      pixels_.SetPixel(static_cast<int>(x), static_cast<int>(y), pen.colour);
    }
  }
}

void CPixelCanvas::WithSurface(const CPixelBuffer& frame, const CPixelBuffer& picture, CPacer&,
                               const SurfaceWork& work) {
  CMemorySurface surface(std::move(pixels_), frame, picture);
  work(surface, surface);
  pixels_ = std::move(surface.MutablePixels(Layer::Screen));
}

}  // namespace saver
