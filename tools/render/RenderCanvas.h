#pragma once
#include <functional>

#include "imaging/MessageSink.h"
#include "scene/ForwardingCanvas.h"

namespace saver {
class CMemorySurface;
}

namespace saver::tool {

// The screen of a show rendered off screen: a pixel canvas whose transitions run on a memory
// surface and wait on the show's own pacer (so their waits move the show's clock), which can tell at
// any moment, also in the middle of a transition, what the screen shows.
class CRenderCanvas final : public CForwardingCanvas {
 public:
  // `transition_ended` sees the screen each time a transition has drawn its last step; the
  // message boxes transitions show go to `messages`.
  CRenderCanvas(Size size, CMessageSink& messages, std::function<void(const CPixelBuffer&)> transition_ended);

  const CPixelBuffer& CurrentPixels() const;

  void WithSurface(const CPixelBuffer& frame, const CPixelBuffer& picture, CPacer& pacer,
                   const SurfaceWork& work) override;

 private:
  CPixelCanvas pixels_;
  CMessageSink& messages_;
  const CMemorySurface* active_surface_ = nullptr;  // while a transition runs, the screen is there
  std::function<void(const CPixelBuffer&)> transition_ended_;
};

}  // namespace saver::tool
