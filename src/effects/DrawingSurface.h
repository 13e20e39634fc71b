#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <utility>

#include "effects/BlockClip.h"
#include "effects/RasterOp.h"
#include "imaging/PixelBuffer.h"
#include "imaging/Rect.h"

namespace saver {

// The four pictures a transition works with.
enum class Layer {
  Screen,   // what the user sees; all visible drawing goes here
  New,      // the frame: the composed new picture, origin (0, 0)
  Old,      // the snapshot of the target area taken by effects that move the old picture
  Picture,  // the decoded picture in its own size
};

// The device a transition draws on: a GDI implementation over device contexts on Windows and a
// memory implementation that records what happens. It only draws; the waits belong to the Pacer
// that a transition holds beside it.
//
// Every block copy and every pixel draw goes through Copy, CopyBlocks and Draw here, which cut it to the
// layers involved and to an optional rectangle of the target (an effect's own area) before the
// device sees it: this is the one place where blits are clipped, and the devices' CopyClipped
// and DrawClipped receive only blocks that lie wholly inside both layers.
class CDrawingSurface {
 public:
  virtual ~CDrawingSurface() = default;

  // Size of a layer; an absent layer (no snapshot taken, no picture) is 0 x 0.
  virtual Size LayerSize(Layer layer) const = 0;
  // The layer as a rectangle at (0, 0).
  Rect LayerBounds(Layer layer) const {
    const Size size = LayerSize(layer);
    return Rect::FromSize(0, 0, size.width, size.height);
  }

  // Copies destination.Width() x destination.Height() pixels of `source` from source_origin to
  // the destination rectangle of `target`, combined with a raster operation from RasterOp.h;
  // only the part inside both layers (and inside `within`, when given) is copied.
  void Copy(Layer target, const Rect& destination, Layer source, Point source_origin, std::uint32_t raster_op) {
    Copy(target, destination, source, source_origin, raster_op, LayerBounds(target));
  }
  void Copy(Layer target, const Rect& destination, Layer source, Point source_origin, std::uint32_t raster_op,
            const Rect& within) {
    if (auto block = ClipBlock(destination, source_origin, within.Intersect(LayerBounds(target)),
                               LayerBounds(source))) {
      CopyClipped(target, *block, source, raster_op);
    }
  }
  // Plain copies (kSrcCopy) of many blocks in the order given: each block of `source` goes to
  // the same block moved by `offset` on `target`, cut like Copy. One call for the many small
  // blocks of one step of an effect.
  void CopyBlocks(Layer target, Point offset, std::span<const Rect> blocks, Layer source, const Rect& within) {
    CopyBlocksWithin(target, offset, blocks, source, within.Intersect(LayerBounds(target)), LayerBounds(source));
  }
  // Draws the `part` of `pixels` with its top-left corner at `at` on the target layer; only what
  // lies inside the part, the pixels, the layer (and `within`, when given) is drawn.
  void Draw(Layer target, Point at, const CPixelBuffer& pixels, const Rect& part) {
    Draw(target, at, pixels, part, LayerBounds(target));
  }
  void Draw(Layer target, Point at, const CPixelBuffer& pixels, const Rect& part, const Rect& within) {
    const Rect destination = Rect::FromSize(at.x, at.y, part.Width(), part.Height());
    const Rect readable = part.Intersect(Rect::FromSize(0, 0, pixels.Width(), pixels.Height()));
    if (auto block = ClipBlock(destination, {part.left, part.top}, within.Intersect(LayerBounds(target)),
                               readable)) {
      DrawClipped(target, *block, pixels);
    }
  }

  // Makes a picture of `size` on request; what it reads is its own (held by the maker), so that
  // calling it later gives the same pixels.
  using PixelMaker = std::function<const CPixelBuffer&()>;
  // Draws the picture that `make` gives like Draw with the whole picture at `at`. A device whose
  // drawing nobody sees until a later drawing covers it may never make the picture.
  void DrawMade(Layer target, Point at, Size size, PixelMaker make, const Rect& within) {
    const Rect destination = Rect::FromSize(at.x, at.y, size.width, size.height);
    if (auto block = ClipBlock(destination, {0, 0}, within.Intersect(LayerBounds(target)),
                               Rect::FromSize(0, 0, size.width, size.height))) {
      DrawMadeClipped(target, *block, size, std::move(make));
    }
  }

  // Scales the source rectangle onto the destination rectangle (plain copy of each pixel); the
  // device keeps to its layers.
  virtual void Stretch(Layer target, const Rect& destination, Layer source, const Rect& source_rect) = 0;
  // Fills with a colour given as 0x00BBGGRR; the device keeps to the layer.
  virtual void Fill(Layer target, const Rect& area, std::uint32_t colorref) = 0;
  // Reads an area into a buffer of the area's size; false if the device refused. Pixels of the
  // area that lie outside the layer read as black.
  virtual bool Read(Layer source, const Rect& area, CPixelBuffer& out) = 0;

  // Snapshot of a screen area into the Old layer, kept until ReleaseOld; parts of the area off
  // the screen read as black.
  virtual bool TakeOld(const Rect& screen_area) = 0;
  virtual void ReleaseOld() = 0;

  // A message box with an OK button (failures the user is told about during a show).
  virtual void ShowError(std::string_view text) = 0;

 protected:
  // A block already cut to both layers: block.destination on `target` shows the pixels of
  // `source` from block.source on.
  virtual void CopyClipped(Layer target, const ClippedBlock& block, Layer source, std::uint32_t raster_op) = 0;
  // A block already cut to the layer and to the pixels: block.destination on `target` shows
  // `pixels` from block.source on.
  virtual void DrawClipped(Layer target, const ClippedBlock& block, const CPixelBuffer& pixels) = 0;
  // CopyBlocks with the bounds on both layers at hand; a device that takes the blocks itself cuts
  // each with ClipBlock to `bounds` (on the target) and `readable` (on the source). By default
  // one CopyClipped each.
  virtual void CopyBlocksWithin(Layer target, Point offset, std::span<const Rect> blocks, Layer source,
                                const Rect& bounds, const Rect& readable) {
    for (const Rect& block : blocks) {
      if (auto cut = ClipBlock(block.Offset(offset.x, offset.y), {block.left, block.top}, bounds, readable)) {
        CopyClipped(target, *cut, source, rop::kSrcCopy);
      }
    }
  }
  // A block of a made picture of `size`, cut like DrawClipped's; by default made and drawn at once.
  virtual void DrawMadeClipped(Layer target, const ClippedBlock& block, Size /*size*/, PixelMaker make) {
    DrawClipped(target, block, make());
  }
};

}  // namespace saver
