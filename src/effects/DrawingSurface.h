#pragma once
#include <cstdint>
#include <string_view>

#include "effects/Pacer.h"
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
// memory implementation that records what happens. Rectangles handed to it are already clipped
// to the layers involved (see ClipBlock); the confinement of effects to their target is done by
// EffectContext, never here. Pacing comes from the Pacer base.
class DrawingSurface : public Pacer {
 public:
  // Size of a layer; an absent layer (no snapshot taken, no picture) is 0 x 0.
  virtual Size LayerSize(Layer layer) const = 0;

  // Copies destination.Width() x destination.Height() pixels of `source` from source_origin to
  // the destination rectangle of `target`, combined with a raster operation from RasterOp.h.
  virtual void Copy(Layer target, const Rect& destination, Layer source, Point source_origin,
                    std::uint32_t raster_op) = 0;
  // Scales the source rectangle onto the destination rectangle (plain copy of each pixel).
  virtual void Stretch(Layer target, const Rect& destination, Layer source,
                       const Rect& source_rect) = 0;
  // Fills with a colour given as 0x00BBGGRR.
  virtual void Fill(Layer target, const Rect& area, std::uint32_t colorref) = 0;
  // Reads an area into a buffer of the area's size; false if the device refused. Pixels of the
  // area that lie outside the layer read as black.
  virtual bool Read(Layer source, const Rect& area, PixelBuffer& out) = 0;
  // Draws the `part` of `pixels` with its top-left corner at `at` on the target layer.
  virtual void Draw(Layer target, Point at, const PixelBuffer& pixels, const Rect& part) = 0;

  // Snapshot of a screen area into the Old layer, kept until ReleaseOld.
  virtual bool TakeOld(const Rect& screen_area) = 0;
  virtual void ReleaseOld() = 0;

  // A message box with an OK button (failures the user is told about during a show).
  virtual void ShowError(std::string_view text) = 0;
};

}  // namespace saver
