#pragma once
#include <cstdint>
#include <functional>

#include "effects/DrawingSurface.h"
#include "effects/Pacer.h"
#include "imaging/PixelBuffer.h"
#include "imaging/Rect.h"

namespace saver {

// How a line item's line is drawn: a Windows pen style (0 solid), a width in pixels, a COLORREF.
struct LinePen {
  std::uint32_t style = 0;
  std::uint32_t width = 1;
  std::uint32_t colour = 0;
};

// Somewhere image and line items draw: the saver window's screen, or an off-screen picture such
// as the one a moving image is redrawn in. Coordinates are the canvas's own; whatever falls
// outside it is cut off.
class CImageCanvas {
 public:
  virtual ~CImageCanvas() = default;

  virtual Size CanvasSize() const = 0;
  // Fills with a COLORREF (0x00BBGGRR).
  virtual void Fill(const Rect& area, std::uint32_t colour) = 0;
  // Reads an area into a buffer of its size; pixels outside the canvas read as black. False if
  // the device refused.
  virtual bool Read(const Rect& area, CPixelBuffer& out) = 0;
  virtual void Draw(Point at, const CPixelBuffer& pixels) = 0;
  virtual void DrawLine(Point from, Point to, const LinePen& pen) = 0;
  // Runs `work` on a drawing surface whose screen is this canvas and whose frame (New) and picture
  // layers are the two buffers, with the pacer its waits go to: `pacer` itself where the canvas
  // is shown as it is drawn.
  using SurfaceWork = std::function<void(CDrawingSurface&, CPacer&)>;
  virtual void WithSurface(const CPixelBuffer& frame, const CPixelBuffer& picture, CPacer& pacer,
                           const SurfaceWork& work) = 0;
};

// The `area` of `from` in a buffer of the area's size; pixels outside `from` are black.
CPixelBuffer CropPixels(const CPixelBuffer& from, const Rect& area);

// A canvas of plain pixels: the off-screen picture of a move step, and the screen of a show
// rendered in memory. Its transitions run on a CMemorySurface, which paces them too: they take no
// time, whatever pacer is handed in. Its lines are one pixel wide and solid whatever the pen says.
class CPixelCanvas final : public CImageCanvas {
 public:
  explicit CPixelCanvas(CPixelBuffer pixels) : pixels_(std::move(pixels)) {}

  const CPixelBuffer& Pixels() const { return pixels_; }
  CPixelBuffer& Pixels() { return pixels_; }

  Size CanvasSize() const override { return {pixels_.Width(), pixels_.Height()}; }
  void Fill(const Rect& area, std::uint32_t colour) override;
  bool Read(const Rect& area, CPixelBuffer& out) override;
  void Draw(Point at, const CPixelBuffer& pixels) override;
  void DrawLine(Point from, Point to, const LinePen& pen) override;
  void WithSurface(const CPixelBuffer& frame, const CPixelBuffer& picture, CPacer& pacer,
                   const SurfaceWork& work) override;

 private:
  CPixelBuffer pixels_;
};

}  // namespace saver
