#include "effects/EffectContext.h"

#include <utility>

#include "effects/RasterOp.h"

namespace saver {
namespace {

Rect Bounds(Size size) { return Rect::FromSize(0, 0, size.width, size.height); }

}  // namespace

CEffectContext::CEffectContext(CDrawingSurface& surface, CPacer& pacer, Point origin, Size size, int pace)
    : surface_(surface),
      pacer_(pacer),
      target_(
          Rect::FromSize(origin.x, origin.y, size.width, size.height).Intersect(surface.LayerBounds(Layer::Screen))),
      origin_(origin),
      size_(size),
      pace_(pace) {}

void CEffectContext::Blit(int x, int y, int cx, int cy, Layer source, int sx, int sy) {
  surface_.Copy(Layer::Screen, Rect::FromSize(origin_.x + x, origin_.y + y, cx, cy), source, {sx, sy}, rop::kSrcCopy,
                target_);
}

void CEffectContext::BlitInPlace(std::span<const Rect> blocks, Layer source) {
  surface_.CopyBlocks(Layer::Screen, origin_, blocks, source, target_);
}

bool CEffectContext::ReadScreen(CPixelBuffer& out) {
  return surface_.Read(Layer::Screen, Rect::FromSize(origin_.x, origin_.y, size_.width, size_.height), out);
}

bool CEffectContext::ReadNew(CPixelBuffer& out) { return surface_.Read(Layer::New, Bounds(size_), out); }

bool CEffectContext::ReadPicture(CPixelBuffer& out) {
  return surface_.Read(Layer::Picture, surface_.LayerBounds(Layer::Picture), out);
}

void CEffectContext::DrawPixels(const CPixelBuffer& pixels, int x, int y) {
  surface_.Draw(Layer::Screen, {origin_.x + x, origin_.y + y}, pixels,
                Rect::FromSize(0, 0, pixels.Width(), pixels.Height()), target_);
}

void CEffectContext::DrawMadePixels(Size size, CDrawingSurface::PixelMaker make) {
  surface_.DrawMade(Layer::Screen, origin_, size, std::move(make), target_);
}

void CEffectContext::FillTarget(std::uint32_t colorref) {
  if (!target_.IsEmpty()) surface_.Fill(Layer::Screen, target_, colorref);
}

COldSnapshot::COldSnapshot(CEffectContext& context)
    : surface_(context.surface_),
      taken_(surface_.TakeOld(
          Rect::FromSize(context.origin_.x, context.origin_.y, context.size_.width, context.size_.height))) {}

COldSnapshot::~COldSnapshot() {
  if (taken_) surface_.ReleaseOld();
}

}  // namespace saver
