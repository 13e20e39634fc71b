// Drawing time of every effect on the GDI surface (24-bit DIB sections in memory DCs) for a
// 1920 x 1080 target, without waits, as a ratio to one full-frame BitBlt. Run under Wine.
// Usage: bench_effects_gdi [width height]
#include <windows.h>

#include <memory>

#include "EffectBench.h"
#include "effects/win/DibCanvas.h"
#include "effects/win/GdiSurface.h"

namespace {

// Waits return at once: only the drawing is measured.
class NoWaits : public saver::CPacer {
 public:
  void PacedWait(std::int32_t, double) override {}
  bool StopRequested() const override { return false; }
  std::uint32_t TickCount() const override { return GetTickCount(); }
  void Sleep(std::uint32_t) override {}
};

// The surface with the canvases it draws on.
struct GdiWorld {
  GdiWorld(const saver::CPixelBuffer& old_picture, const saver::CPixelBuffer& new_picture)
      : screen(old_picture),
        frame(new_picture),
        surface(screen.Dc(), {old_picture.Width(), old_picture.Height()}, frame.Dc(), frame.Dc()) {}
  saver::win::CDibCanvas screen, frame;
  saver::win::CGdiSurface surface;
};

}  // namespace

int main(int argc, char** argv) {
  const saver::Size size = saver::bench::TargetSize(argc, argv);
  if (size.width == 0) return 2;
  const saver::bench::BenchPictures pictures = saver::bench::MakeBenchPictures(size);
  NoWaits pacer;
  saver::bench::RunEffectBench("GDI", size.width, size.height, [&] {
    auto world = std::make_shared<GdiWorld>(pictures.old_picture, pictures.new_picture);
    return saver::bench::BenchSurface{std::shared_ptr<saver::CDrawingSurface>(world, &world->surface), &pacer};
  });
}
