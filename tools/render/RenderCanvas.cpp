#include "render/RenderCanvas.h"

#include "effects/ForwardingSurface.h"

namespace saver::tool {
namespace {

// A memory surface whose message boxes go to the show's messages.
class CMessagingSurface final : public ForwardingSurface {
 public:
  CMessagingSurface(MemorySurface& surface, MessageSink& messages) : ForwardingSurface(surface), messages_(messages) {}

  void ShowError(std::string_view text) override { messages_.Show(text); }

 private:
  MessageSink& messages_;
};

}  // namespace

RenderCanvas::RenderCanvas(Size size, MessageSink& messages, std::function<void(const PixelBuffer&)> transition_ended)
    : pixels_(PixelBuffer(size.width, size.height)), messages_(messages), transition_ended_(std::move(transition_ended)) {}

const PixelBuffer& RenderCanvas::CurrentPixels() const {
  return active_surface_ != nullptr ? active_surface_->Pixels(Layer::Screen) : pixels_.Pixels();
}

void RenderCanvas::WithSurface(const PixelBuffer& frame, const PixelBuffer& picture, Pacer& pacer,
                               const SurfaceWork& work) {
  MemorySurface surface(std::move(pixels_.Pixels()), frame, picture);
  CMessagingSurface messaging(surface, messages_);
  // The screen goes back to the canvas however the transition ends.
  struct Restore {
    RenderCanvas& canvas;
    MemorySurface& surface;
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
