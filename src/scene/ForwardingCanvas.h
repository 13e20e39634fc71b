#pragma once
// A canvas that hands every call to another, for canvases that change one thing about it: a
// test's canvas whose transitions wait on the show's pacer, the package tool's off-screen screen
// (its transitions run on a surface it can look into).
#include "scene/ImageCanvas.h"

namespace saver {

class CForwardingCanvas : public CImageCanvas {
 public:
  // `inner` is only kept here: a derived canvas may hand in a member it has yet to make.
  explicit CForwardingCanvas(CImageCanvas& inner) : inner_(inner) {}

  Size CanvasSize() const override { return inner_.CanvasSize(); }
  void Fill(const Rect& area, std::uint32_t colour) override { inner_.Fill(area, colour); }
  bool Read(const Rect& area, CPixelBuffer& out) override { return inner_.Read(area, out); }
  void Draw(Point at, const CPixelBuffer& pixels) override { inner_.Draw(at, pixels); }
  void DrawLine(Point from, Point to, const LinePen& pen) override { inner_.DrawLine(from, to, pen); }
  void WithSurface(const CPixelBuffer& frame, const CPixelBuffer& picture, CPacer& pacer,
                   const SurfaceWork& work) override {
    inner_.WithSurface(frame, picture, pacer, work);
  }

 protected:
  CImageCanvas& inner_;
};

}  // namespace saver
