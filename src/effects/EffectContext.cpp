#include "effects/EffectContext.h"

#include "effects/BlockClip.h"
#include "effects/RasterOp.h"

namespace saver {
namespace {

Rect Bounds(Size size) { return Rect::FromSize(0, 0, size.width, size.height); }

}  // namespace

EffectContext::EffectContext(DrawingSurface& surface, Point origin, Size size, int pace)
    : surface_(surface),
      target_(Rect::FromSize(origin.x, origin.y, size.width, size.height)
                  .Intersect(Bounds(surface.LayerSize(Layer::Screen)))),
      origin_(origin),
      size_(size),
      pace_(pace) {}

void EffectContext::Blit(int x, int y, int cx, int cy, Layer source, int sx, int sy) {
  const Rect destination = Rect::FromSize(origin_.x + x, origin_.y + y, cx, cy);
  if (auto block = ClipBlock(destination, {sx, sy}, target_, Bounds(surface_.LayerSize(source)))) {
    surface_.Copy(Layer::Screen, block->destination, source, block->source, rop::kSrcCopy);
  }
}

bool EffectContext::ReadScreen(PixelBuffer& out) {
  return surface_.Read(Layer::Screen, Rect::FromSize(origin_.x, origin_.y, size_.width, size_.height), out);
}

bool EffectContext::ReadNew(PixelBuffer& out) {
  return surface_.Read(Layer::New, Bounds(size_), out);
}

bool EffectContext::ReadPicture(PixelBuffer& out) {
  return surface_.Read(Layer::Picture, Bounds(surface_.LayerSize(Layer::Picture)), out);
}

void EffectContext::DrawPixels(const PixelBuffer& pixels, int x, int y) {
  const Rect destination = Rect::FromSize(origin_.x + x, origin_.y + y, pixels.Width(), pixels.Height());
  if (auto block = ClipBlock(destination, {0, 0}, target_, Bounds({pixels.Width(), pixels.Height()}))) {
    const Rect part = Rect::FromSize(block->source.x, block->source.y, block->destination.Width(),
                                     block->destination.Height());
    surface_.Draw(Layer::Screen, {block->destination.left, block->destination.top}, pixels, part);
  }
}

void EffectContext::FillTarget(std::uint32_t colorref) {
  if (!target_.IsEmpty()) surface_.Fill(Layer::Screen, target_, colorref);
}

OldSnapshot::OldSnapshot(EffectContext& context)
    : surface_(context.surface_),
      taken_(surface_.TakeOld(Rect::FromSize(context.origin_.x, context.origin_.y,
                                             context.size_.width, context.size_.height))) {}

OldSnapshot::~OldSnapshot() {
  if (taken_) surface_.ReleaseOld();
}

}  // namespace saver
