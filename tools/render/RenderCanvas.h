#pragma once
#include <functional>

#include "imaging/MessageSink.h"
#include "scene/ImageCanvas.h"

namespace saver {
class MemorySurface;
}

namespace saver::tool {

// The screen of a show rendered off screen: a pixel canvas whose transitions run on a memory
// surface and wait on the show's own pacer (so their waits move the show's clock), which can tell at
// any moment, also in the middle of a transition, what the screen shows.
class RenderCanvas final : public ImageCanvas {
 public:
  // `transition_ended` sees the screen each time a transition has drawn its last step; the
  // message boxes transitions show go to `messages`.
  RenderCanvas(Size size, MessageSink& messages, std::function<void(const PixelBuffer&)> transition_ended);

  const PixelBuffer& CurrentPixels() const;

  Size CanvasSize() const override { return pixels_.CanvasSize(); }
  void Fill(const Rect& area, std::uint32_t colour) override { pixels_.Fill(area, colour); }
  bool Read(const Rect& area, PixelBuffer& out) override { return pixels_.Read(area, out); }
  void Draw(Point at, const PixelBuffer& pixels) override { pixels_.Draw(at, pixels); }
  void DrawLine(Point from, Point to, const LinePen& pen) override { pixels_.DrawLine(from, to, pen); }
  void WithSurface(const PixelBuffer& frame, const PixelBuffer& picture, Pacer& pacer,
                   const SurfaceWork& work) override;

 private:
  PixelCanvas pixels_;
  MessageSink& messages_;
  const MemorySurface* active_surface_ = nullptr;  // while a transition runs, the screen is there
  std::function<void(const PixelBuffer&)> transition_ended_;
};

}  // namespace saver::tool
