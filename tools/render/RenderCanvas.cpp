#include "render/RenderCanvas.h"

#include "effects/ForwardingSurface.h"

namespace saver::tool {
namespace {

// A memory surface whose message boxes go to the show's messages.
class CMessagingSurface final : public CForwardingSurface {
 public:
  CMessagingSurface(CMemorySurface& surface, CMessageSink& messages)
      : CForwardingSurface(surface), messages_(messages) {}

  void ShowError(std::string_view text) override { messages_.Show(text); }

 private:
  CMessageSink& messages_;
};

}  // namespace

CRenderCanvas::CRenderCanvas(Size size, CMessageSink& messages,
                             std::function<void(const CPixelBuffer&)> transition_ended)
    : CForwardingCanvas(pixels_),
      pixels_(CPixelBuffer(size.width, size.height)),
      messages_(messages),
      transition_ended_(std::move(transition_ended)) {}

const CPixelBuffer& CRenderCanvas::CurrentPixels() const {
  return active_surface_ != nullptr ? active_surface_->Pixels(Layer::Screen) : pixels_.Pixels();
}

void CRenderCanvas::WithSurface(const CPixelBuffer& frame, const CPixelBuffer& picture, CPacer& pacer,
                                const SurfaceWork& work) {
  CMemorySurface surface(std::move(pixels_.Pixels()), frame, picture);
  CMessagingSurface messaging(surface, messages_);
  // The screen goes back to the canvas however the transition ends.
  struct Restore {
    CRenderCanvas& canvas;
    CMemorySurface& surface;
    ~Restore() {
      canvas.active_surface_ = nullptr;
      canvas.pixels_.Pixels() = std::move(surface.MutablePixels(Layer::Screen));
    }
  } restore{*this, surface};
  active_surface_ = &surface;
  work(messaging, pacer);
  transition_ended_(surface.Pixels(Layer::Screen));
}

}  // namespace saver::tool
