#include "render/RenderCanvas.h"

#include "effects/ForwardingSurface.h"

namespace saver::tool {
namespace {

// A memory surface whose waits, clock and stop request are the pacer's rather than its own, and
// whose message boxes go to the show's messages.
class PacedMemorySurface final : public ForwardingSurface {
 public:
  PacedMemorySurface(MemorySurface& surface, Pacer& pacer, MessageSink& messages)
      : ForwardingSurface(surface), pacer_(pacer), messages_(messages) {}

  void ShowError(std::string_view text) override { messages_.Show(text); }
  void PacedWait(int a, double d) override { pacer_.PacedWait(a, d); }
  bool StopRequested() override { return pacer_.StopRequested(); }
  std::uint32_t TickCount() override { return pacer_.TickCount(); }
  void Sleep(int milliseconds) override { pacer_.Sleep(milliseconds); }

 private:
  Pacer& pacer_;
  MessageSink& messages_;
};

}  // namespace

RenderCanvas::RenderCanvas(Size size, MessageSink& messages, std::function<void(const PixelBuffer&)> transition_ended)
    : pixels_(PixelBuffer(size.width, size.height)), messages_(messages), transition_ended_(std::move(transition_ended)) {}

const PixelBuffer& RenderCanvas::CurrentPixels() const {
  return active_surface_ != nullptr ? active_surface_->Pixels(Layer::Screen) : pixels_.Pixels();
}

void RenderCanvas::WithSurface(const PixelBuffer& frame, const PixelBuffer& picture, Pacer& pacer,
                               const std::function<void(DrawingSurface&)>& work) {
  MemorySurface surface(std::move(pixels_.Pixels()), frame, picture);
  PacedMemorySurface paced(surface, pacer, messages_);
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
  work(paced);
  transition_ended_(surface.Pixels(Layer::Screen));
}

}  // namespace saver::tool
