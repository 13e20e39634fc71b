#pragma once
// A drawing surface that hands every call to a memory surface, for users that change one thing
// about it: tests (a slow device, a failing read), the package tool's off-screen rendering (its
// message boxes go to the show's messages).
#include "effects/MemorySurface.h"

namespace saver {

class CForwardingSurface : public CDrawingSurface {
 public:
  explicit CForwardingSurface(CMemorySurface& inner) : inner_(inner) {}

  Size LayerSize(Layer layer) const override { return inner_.LayerSize(layer); }
  void Stretch(Layer target, const Rect& destination, Layer source, const Rect& source_rect) override {
    inner_.Stretch(target, destination, source, source_rect);
  }
  void Fill(Layer target, const Rect& area, std::uint32_t colorref) override { inner_.Fill(target, area, colorref); }
  bool Read(Layer source, const Rect& area, CPixelBuffer& out) override { return inner_.Read(source, area, out); }
  bool TakeOld(const Rect& screen_area) override { return inner_.TakeOld(screen_area); }
  void ReleaseOld() override { inner_.ReleaseOld(); }
  void ShowError(std::string_view text) override { inner_.ShowError(text); }

 protected:
  // The block lies inside both layers already, so the inner surface keeps it as it is.
  void CopyClipped(Layer target, const ClippedBlock& block, Layer source, std::uint32_t raster_op) override {
    inner_.Copy(target, block.destination, source, block.source, raster_op);
  }
  void DrawClipped(Layer target, const ClippedBlock& block, const CPixelBuffer& pixels) override {
    const Rect& d = block.destination;
    inner_.Draw(target, {d.left, d.top}, pixels, Rect::FromSize(block.source.x, block.source.y, d.Width(), d.Height()));
  }
  void CopyBlocksWithin(Layer target, Point offset, std::span<const Rect> blocks, Layer source, const Rect& bounds,
                        const Rect& /*readable*/) override {
    inner_.CopyBlocks(target, offset, blocks, source, bounds);
  }
  // The inner surface cuts the whole picture to the block again and may hold it back.
  void DrawMadeClipped(Layer target, const ClippedBlock& block, Size size, PixelMaker make) override {
    const Rect& d = block.destination;
    inner_.DrawMade(target, {d.left - block.source.x, d.top - block.source.y}, size, std::move(make), d);
  }

  CMemorySurface& inner_;
};

}  // namespace saver
