// CImageItem::Show: puts a picture or a text on a canvas where its placement says, statically
// or through the placement's transition.
#include <string_view>

#include "effects/RasterOp.h"
#include "effects/Transition.h"
#include "imaging/KeyedDraw.h"
#include "scene/ImageItem.h"
#include "scene/ImagePlacement.h"
#include "scene/ImageStage.h"
#include "scene/SceneRuntime.h"

namespace saver {
namespace {

constexpr std::string_view kConversionFailed = "Image conversion failed, skipping this image";
// The pace handed to a transition is this less the placement's speed.
constexpr int kPaceBase = 1100;

Size SizeOf(const CPixelBuffer* pixels) { return pixels ? Size{pixels->Width(), pixels->Height()} : Size{}; }

bool IsZero(Size size) { return size.width == 0 && size.height == 0; }

// What a text without background looks like over the canvas: the canvas's `area` with the held
// text keyed onto it at `at`, as one opaque picture for a transition.
std::optional<CPixelBuffer> CompositeText(CImageCanvas& target, const CPixelBuffer& text, Point at, const Rect& area) {
  CPixelBuffer pixels;
  if (!target.Read(area, pixels)) return std::nullopt;
  DrawKeyed(pixels, text, {at.x - area.left, at.y - area.top}, kTextKeyColor);
  return pixels;
}

// A text without background at its own size: keyed straight onto the canvas at `at`.
void DrawTextInPlace(CImageCanvas& target, const CPixelBuffer& text, Point at) {
  CPixelBuffer area;
  if (!target.Read(Rect::FromSize(at.x, at.y, text.Width(), text.Height()), area)) return;
  DrawKeyed(area, text, {0, 0}, kTextKeyColor);
  target.Draw(at, area);
}

// Where one show puts its picture, for the transition that draws it.
struct ShowPlacement {
  int effect = 0;
  Rect rect;                   // the placement rectangle
  Point position;              // the placement's own position
  Point offsets;               // where a placement clipped by the screen starts in the picture
  bool composite = false;      // the picture is a text already composited over `rect`
  bool explicit_rect = false;  // `rect` was handed in rather than computed
};

// Runs the placement's transition from `picture` onto the canvas, through a frame of
// `frame_size` (empty when the source gives none).
void PlayTransition(CImageCanvas& target, CSceneRuntime& runtime, const ShowPlacement& at, const CPixelBuffer& picture,
                    Size frame_size, std::uint32_t brush, int pace) {
  const CPixelBuffer frame(frame_size.width > 0 ? frame_size.width : 0, frame_size.height > 0 ? frame_size.height : 0);
  target.WithSurface(frame, picture, runtime.Pacing(), [&](CDrawingSurface& surface, CPacer& pacer) {
    CTransition transition(at.effect, {at.rect, brush, rop::kSrcCopy}, surface, pacer);
    if (at.effect <= kEffectStretched) {
      transition.DrawPlaced();
      transition.CopyToScreen(at.explicit_rect, at.position);
      return;
    }
    if (at.rect.IsEmpty()) return;
    // Transitions that place the whole picture themselves start from the placement's position;
    // a composite is already cut to the rectangle, whose corner it starts from.
    const bool whole = !TransitionClipsToScreen(at.effect);
    Point point = at.composite && !whole ? Point{at.rect.left, at.rect.top} : at.position;
    const Point from = at.composite || whole ? Point{} : at.offsets;
    transition.ImageEffects(point, pace, from.x, from.y);
  });
}

}  // namespace

bool CImageItem::Show(CImageStage& stage, CImageCanvas& target, CSceneRuntime& runtime, const Rect* explicit_rect) {
  const Size screen = stage.Metrics().device;
  ApplyEffectChoice(placement, runtime.SeedSources());
  const int effect = placement.effect_number;
  const Point position{placement.current_x, placement.current_y};

  Size size = IsText() ? SizeOf(image.Decoded()) : NaturalSize();
  const Size target_size = TargetSize(*this, screen);
  Point offsets;
  const auto place = [&] {
    return PlacementRect(IsZero(target_size) ? size : target_size, effect, position, screen, offsets);
  };
  Rect rect = explicit_rect ? *explicit_rect : place();

  bool composite = false;
  if (IsText()) {
    if (opaque != 0) {
      if (placement.typewriter == 0) {
        if (auto rendered = stage.RenderText(*this, {})) image.SetDecodedPixels(std::move(*rendered));
      }
      if (IsZero(size)) {
        size = SizeOf(image.Decoded());
        rect = place();
      }
    } else if (effect == kEffectOwnSize) {
      const Point at = explicit_rect ? Point{explicit_rect->left, explicit_rect->top} : position;
      if (const CPixelBuffer* text_pixels = image.Decoded()) DrawTextInPlace(target, *text_pixels, at);
      shown = 1;
      return true;
    } else {
      composite = true;
    }
  }

  // The frame is as large as the screen for the tiled and stretched placements and for the
  // snapshot sources, else as large as the placement rectangle.
  Size frame_size = (effect == kEffectTiled || effect == kEffectStretched) ? screen : Size{rect.Width(), rect.Height()};
  if (source_mode == kSourceDesktop || source_mode == kSourceWallpaper) {
    LoadSnapshotFile(stage, stage.SnapshotPath(source_mode));
    source_mode = kSourceData;
    frame_size = screen;
  } else if (source_mode != kSourceData) {
    frame_size = {};
  }

  std::optional<CPixelBuffer> picture;
  if (composite) {
    if (const CPixelBuffer* text_pixels = image.Decoded())
      picture = CompositeText(target, *text_pixels, position, rect);
  } else {
    // Both take the pixels out of the image: a text is rendered again before its next show.
    Size decoded_size;
    std::vector<std::uint8_t> plain;  // the picture unscrambled while it is decoded
    picture = IsText() ? image.TakeRenderedImage(target_size, decoded_size)
                       : image.TakeImage(data.Plain(plain), target_size, decoded_size, stage.Messages());
  }
  if (!picture) {
    stage.Messages().Show(kConversionFailed);
    return false;
  }

  const std::uint32_t brush = background.fourth_value == 1 ? stage.WindowBackground() : background.colour;
  const ShowPlacement placed{effect, rect, position, offsets, composite, explicit_rect != nullptr};
  PlayTransition(target, runtime, placed, *picture, frame_size, brush, kPaceBase - placement.speed);
  shown = 1;
  return true;
}

}  // namespace saver
