#pragma once
// A drawing surface that hands every call to a memory surface, for users that change one thing
// about it: tests (a slow device, a failing read), the package tool's off-screen rendering (its
// waits move the show's clock).
#include "effects/MemorySurface.h"

namespace saver {

class ForwardingSurface : public DrawingSurface {
 public:
  explicit ForwardingSurface(MemorySurface& inner) : inner_(inner) {}

  Size LayerSize(Layer layer) const override { return inner_.LayerSize(layer); }
  void Copy(Layer target, const Rect& destination, Layer source, Point source_origin,
            std::uint32_t raster_op) override {
    inner_.Copy(target, destination, source, source_origin, raster_op);
  }
  void Stretch(Layer target, const Rect& destination, Layer source, const Rect& source_rect) override {
    inner_.Stretch(target, destination, source, source_rect);
  }
  void Fill(Layer target, const Rect& area, std::uint32_t colorref) override { inner_.Fill(target, area, colorref); }
  bool Read(Layer source, const Rect& area, PixelBuffer& out) override { return inner_.Read(source, area, out); }
  void Draw(Layer target, Point at, const PixelBuffer& pixels, const Rect& part) override {
    inner_.Draw(target, at, pixels, part);
  }
  bool TakeOld(const Rect& screen_area) override { return inner_.TakeOld(screen_area); }
  void ReleaseOld() override { inner_.ReleaseOld(); }
  void ShowError(std::string_view text) override { inner_.ShowError(text); }

  void PacedWait(int a, double d) override { inner_.PacedWait(a, d); }
  bool StopRequested() override { return inner_.StopRequested(); }
  std::uint32_t TickCount() override { return inner_.TickCount(); }
  void Sleep(int milliseconds) override { inner_.Sleep(milliseconds); }

 protected:
  MemorySurface& inner_;
};

}  // namespace saver
