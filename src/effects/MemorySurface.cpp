#include "effects/MemorySurface.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "effects/BlockClip.h"
#include "effects/RasterOp.h"

namespace saver {
namespace {

Rect Bounds(const CPixelBuffer& buffer) { return Rect::FromSize(0, 0, buffer.Width(), buffer.Height()); }

void CombineRow(std::uint8_t* to, const std::uint8_t* from, std::size_t bytes, std::uint32_t raster_op) {
  switch (raster_op) {
    case rop::kSrcPaint:
      for (std::size_t i = 0; i < bytes; ++i) to[i] |= from[i];
      break;
    case rop::kSrcAnd:
      for (std::size_t i = 0; i < bytes; ++i) to[i] &= from[i];
      break;
    case rop::kSrcInvert:
      for (std::size_t i = 0; i < bytes; ++i) to[i] ^= from[i];
      break;
    default:  // kSrcCopy; memmove because a layer may be copied onto itself
      std::memmove(to, from, bytes);
  }
}

// Copies an already clipped block between two buffers (or within one, rows in a safe order).
void CopyBlock(CPixelBuffer& to, const Rect& destination, const CPixelBuffer& from, Point origin,
               std::uint32_t raster_op) {
  const std::size_t bytes = static_cast<std::size_t>(destination.Width()) * 3;
  const bool upwards = &to == &from && destination.top > origin.y;
  for (int i = 0; i < destination.Height(); ++i) {
    const int row = upwards ? destination.Height() - 1 - i : i;
    CombineRow(to.Row(destination.top + row) + destination.left * 3,
               from.Row(origin.y + row) + origin.x * 3, bytes, raster_op);
  }
}

CPixelBuffer CopyArea(const CPixelBuffer& from, const Rect& area) {
  CPixelBuffer out(area.Width(), area.Height());
  if (auto block = ClipBlock(Rect::FromSize(0, 0, area.Width(), area.Height()), {area.left, area.top},
                             Bounds(out), Bounds(from))) {
    CopyBlock(out, block->destination, from, block->source, rop::kSrcCopy);
  }
  return out;
}

}  // namespace

CMemorySurface::CMemorySurface(CPixelBuffer screen, CPixelBuffer frame, CPixelBuffer picture)
    : screen_(std::move(screen)), frame_(std::move(frame)), picture_(std::move(picture)) {}

const CPixelBuffer& CMemorySurface::Pixels(Layer layer) const {
  DrawPending();
  return Buffer(layer);
}

CPixelBuffer& CMemorySurface::MutablePixels(Layer layer) {
  DrawPending();
  return Buffer(layer);
}

void CMemorySurface::DrawPending() const {
  auto& self = const_cast<CMemorySurface&>(*this);
  if (made_) {
    const MadePicture made = std::move(*made_);
    made_.reset();
    CopyBlock(self.Buffer(made.target), made.block.destination, made.make(), made.block.source, rop::kSrcCopy);
  }
  if (!spans_.Empty()) spans_.DrawAll(self.Buffer(spans_.Target()), Buffer(spans_.Source()));
  if (pending_.Empty()) return;
  pending_.DrawAll(self.Buffer(pending_.Target()), [&](Layer layer) -> const CPixelBuffer& { return Buffer(layer); });
}

CPixelBuffer& CMemorySurface::Buffer(Layer layer) {
  return const_cast<CPixelBuffer&>(std::as_const(*this).Buffer(layer));
}

const CPixelBuffer& CMemorySurface::Buffer(Layer layer) const {
  switch (layer) {
    case Layer::Screen: return screen_;
    case Layer::New: return frame_;
    case Layer::Old: return old_;
    case Layer::Picture: break;
  }
  return picture_;
}

Size CMemorySurface::LayerSize(Layer layer) const {
  const CPixelBuffer& buffer = Buffer(layer);
  return {buffer.Width(), buffer.Height()};
}

void CMemorySurface::CopyClipped(Layer target, const ClippedBlock& block, Layer source, std::uint32_t raster_op) {
  CPixelBuffer& to = Buffer(target);
  const CPixelBuffer& from = Buffer(source);
  if (record_copies_) copies_.push_back({target, block.destination, source, block.source});
  if (raster_op == rop::kSrcCopy && target != source) {
    const Rect& d = block.destination;
    DropMadeUnder(target, d);
    if (made_) DrawPending();
    const Point shift{block.source.x - d.left, block.source.y - d.top};
    if (pending_.Empty() && spans_.Takes(target, source, shift)) {
      spans_.Add(target, source, shift, d, to);
      return;
    }
    if (!spans_.Empty()) DrawPending();
    if (!pending_.Empty() && (pending_.Target() != target || pending_.RunsHeld() >= kMostRunsHeld)) DrawPending();
    pending_.Add({target, source, d.left, d.Width(), d.top, d.bottom, block.source.x, block.source.y, 1});
    return;
  }
  DrawPending();
  CopyBlock(to, block.destination, from, block.source, raster_op);
}

// Every block has the same shift, so what a block may write is known once for all of them.
// While the spans hold the copies, each block goes to them straight (and they go on taking
// the rest); otherwise one by one as single copies.
void CMemorySurface::CopyBlocksWithin(Layer target, Point offset, std::span<const Rect> blocks, Layer source,
                                      const Rect& bounds, const Rect& readable) {
  const Rect writable = bounds.Intersect(readable.Offset(offset.x, offset.y));
  const Point shift{-offset.x, -offset.y};
  const bool held =
      !record_copies_ && !made_ && target != source && pending_.Empty() && spans_.Takes(target, source, shift);
  const CPixelBuffer& to = Buffer(target);
  for (const Rect& block : blocks) {
    const Rect cut = block.Offset(offset.x, offset.y).Intersect(writable);
    if (cut.IsEmpty()) continue;
    if (held) {
      spans_.Add(target, source, shift, cut, to);
    } else {
      CopyClipped(target, {cut, {cut.left + shift.x, cut.top + shift.y}}, source, rop::kSrcCopy);
    }
  }
}

void CMemorySurface::Stretch(Layer target, const Rect& destination, Layer source, const Rect& source_rect) {
  DrawPending();
  CPixelBuffer& to = Buffer(target);
  const CPixelBuffer& from = Buffer(source);
  if (destination.IsEmpty() || source_rect.IsEmpty()) return;
  const Rect visible = destination.Intersect(Bounds(to));
  const std::int64_t dw = destination.Width(), dh = destination.Height();
  const std::int64_t sw = source_rect.Width(), sh = source_rect.Height();
  for (int y = visible.top; y < visible.bottom; ++y) {
    // Nearest source pixel to the centre of each destination pixel.
    const int sy = source_rect.top + static_cast<int>((std::int64_t{y - destination.top} * 2 + 1) * sh / (2 * dh));
    if (sy < 0 || sy >= from.Height()) continue;
    for (int x = visible.left; x < visible.right; ++x) {
      const int sx = source_rect.left + static_cast<int>((std::int64_t{x - destination.left} * 2 + 1) * sw / (2 * dw));
      if (sx >= 0 && sx < from.Width()) to.SetPixel(x, y, from.PixelAt(sx, sy));
    }
  }
}

void CMemorySurface::Fill(Layer target, const Rect& area, std::uint32_t colorref) {
  CPixelBuffer& to = Buffer(target);
  const Rect visible = area.Intersect(Bounds(to));
  DropMadeUnder(target, visible);
  DrawPending();
  for (int y = visible.top; y < visible.bottom; ++y) {
    for (int x = visible.left; x < visible.right; ++x) to.SetPixel(x, y, colorref);
  }
}

bool CMemorySurface::Read(Layer source, const Rect& area, CPixelBuffer& out) {
  DrawPending();
  if (area.IsEmpty()) return false;
  out = CopyArea(Buffer(source), area);
  return true;
}

void CMemorySurface::DrawClipped(Layer target, const ClippedBlock& block, const CPixelBuffer& pixels) {
  DropMadeUnder(target, block.destination);
  DrawPending();
  CopyBlock(Buffer(target), block.destination, pixels, block.source, rop::kSrcCopy);
}

void CMemorySurface::DrawMadeClipped(Layer target, const ClippedBlock& block, Size /*size*/, PixelMaker make) {
  DropMadeUnder(target, block.destination);
  DrawPending();
  made_ = MadePicture{target, block, std::move(make)};
}

void CMemorySurface::DropMadeUnder(Layer target, const Rect& area) {
  if (made_ && made_->target == target && area.Intersect(made_->block.destination) == made_->block.destination) {
    made_.reset();
  }
}

bool CMemorySurface::TakeOld(const Rect& screen_area) {
  DrawPending();
  if (screen_area.IsEmpty()) return false;
  old_ = CopyArea(screen_, screen_area);
  ++snapshots_taken_;
  return true;
}

void CMemorySurface::ReleaseOld() {
  DrawPending();
  old_ = CPixelBuffer();
}

void CMemorySurface::PacedWait(std::int32_t a, double d) {
  waits_.push_back({a, d, copies_.size()});
  if (frame_area_.IsEmpty()) return;
  DrawPending();
  frames_.push_back(CopyArea(screen_, frame_area_));
}

}  // namespace saver
