#include "effects/Transition.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "effects/EffectContext.h"
#include "effects/EffectTable.h"
#include "effects/RasterOp.h"

namespace saver {
namespace {

Rect Bounds(Size size) { return Rect::FromSize(0, 0, size.width, size.height); }

// Larger targets or points further out come only from damaged data: an effect takes a step per
// line, and the blits' coordinates must stay far from the ends of int.
constexpr int kMaxTargetSide = 1 << 15;
constexpr int kMaxCoordinate = 1 << 28;

bool Drawable(Point point, Size size) {
  const auto within = [](int value, int limit) { return value >= -limit && value <= limit; };
  return size.width > 0 && size.height > 0 && size.width <= kMaxTargetSide && size.height <= kMaxTargetSide &&
         within(point.x, kMaxCoordinate) && within(point.y, kMaxCoordinate);
}

}  // namespace

void CTransition::FillFrame(const Rect& area) {
  if (target_.background) surface_.Fill(Layer::New, area, *target_.background);
}

void CTransition::ComposeFrame(int sx, int sy) {
  const Rect frame = Bounds(TargetSize());
  FillFrame(frame);
  surface_.Copy(Layer::New, frame, Layer::Picture, {sx, sy}, target_.raster_op);
}

void CTransition::DrawPlaced() {
  const Size screen = surface_.LayerSize(Layer::Screen);
  const Size tile = TargetSize();
  switch (effect_) {
    case 0:
      ComposeFrame(0, 0);
      break;
    case 1:
      FillFrame(Bounds(screen));
      if (tile.width <= 0 || tile.height <= 0) break;
      for (int i = 0; i <= screen.width / tile.width; ++i) {
        for (int j = 0; j <= screen.height / tile.height; ++j) {
          surface_.Copy(Layer::New, Rect::FromSize(i * tile.width, j * tile.height, tile.width, tile.height),
                        Layer::Picture, {0, 0}, target_.raster_op);
        }
      }
      break;
    case 2:
      FillFrame(Bounds(screen));
      if (tile.width > 0 && tile.height > 0) {
        surface_.Stretch(Layer::New, Bounds(screen), Layer::Picture, Bounds(tile));
      }
      break;
    default:
      break;
  }
}

void CTransition::CopyToScreen(bool use_own_rect, Point point) {
  if (effect_ == 1 || effect_ == 2) {
    surface_.Copy(Layer::Screen, surface_.LayerBounds(Layer::Screen), Layer::New, {0, 0}, rop::kSrcCopy);
  } else if (effect_ == 0) {
    const Point at = use_own_rect ? Point{target_.rect.left, target_.rect.top} : point;
    const Size size = TargetSize();
    surface_.Copy(Layer::Screen, Rect::FromSize(at.x, at.y, size.width, size.height), Layer::New, {0, 0},
                  rop::kSrcCopy);
  }
}

Rect CTransition::ClipToScreen(const Rect& picture, Point position, Size screen, Point& offsets) {
  // 64-bit so that a position far off the screen cannot overflow.
  const std::int64_t sx = position.x < 0 ? -std::int64_t{position.x} : 0;
  const std::int64_t sy = position.y < 0 ? -std::int64_t{position.y} : 0;
  offsets = {static_cast<int>(std::min<std::int64_t>(sx, INT_MAX)),
             static_cast<int>(std::min<std::int64_t>(sy, INT_MAX))};
  const int left = std::max(position.x, 0), top = std::max(position.y, 0);
  const std::int64_t width = std::min<std::int64_t>(picture.Width() - sx, screen.width - left);
  const std::int64_t height = std::min<std::int64_t>(picture.Height() - sy, screen.height - top);
  if (width <= 0 || height <= 0) return {};
  return Rect::FromSize(left, top, static_cast<int>(width), static_cast<int>(height));
}

void CTransition::ImageEffects(Point& point, int pace, int sx, int sy) {
  ComposeFrame(sx, sy);
  const Size size = TargetSize();
  if (sx != 0) point.x = 0;
  if (sy != 0) point.y = 0;
  const EffectEntry* effect = FindEffect(effect_);
  if (!effect || !Drawable(point, size)) return;
  CEffectContext context(surface_, pacer_, point, size, pace);
  effect->run(context);
}

}  // namespace saver
