// Drawing time of every effect on the memory surface for a 1920 x 1080 target, without waits,
// as a ratio to one full-frame copy, twice: with nobody looking at the screen between waits (the
// surface skips the steps nobody sees; a render looks only when a frame falls due), and with the
// screen read at every wait, so that every step is drawn.
// Usage: bench_effects [width height [effect number...]]
#include <cstdio>
#include <memory>
#include <vector>

#include "EffectBench.h"
#include "effects/MemorySurface.h"

namespace {

using saver::CMemorySurface;
using saver::Layer;

// The memory surface's own pacing, with the screen looked at before every wait.
class CScreenReadingPacer final : public saver::CPacer {
 public:
  explicit CScreenReadingPacer(CMemorySurface& memory) : memory_(memory) {}

  bool StopRequested() const override { return memory_.StopRequested(); }
  void Sleep(std::uint32_t milliseconds) override { memory_.Sleep(milliseconds); }
  void PacedWait(std::int32_t a, double k) override {
    memory_.Pixels(Layer::Screen);
    memory_.PacedWait(a, k);
  }
  std::uint32_t TickCount() const override { return memory_.TickCount(); }

 private:
  CMemorySurface& memory_;
};

struct ReadAtEveryWait {
  explicit ReadAtEveryWait(const saver::bench::BenchPictures& pictures)
      : memory(pictures.old_picture, pictures.new_picture, pictures.new_picture) {}
  CMemorySurface memory;
  CScreenReadingPacer pacer{memory};
};

}  // namespace

int main(int argc, char** argv) {
  const saver::Size size = saver::bench::TargetSize(argc, argv);
  if (size.width == 0) return 2;
  const saver::bench::BenchPictures pictures = saver::bench::MakeBenchPictures(size);
  const std::vector<int> chosen = saver::bench::ChosenEffects(argc, argv);
  saver::bench::RunEffectBench("memory", size.width, size.height, [&] {
    auto memory = std::make_shared<CMemorySurface>(pictures.old_picture, pictures.new_picture, pictures.new_picture);
    return saver::bench::BenchSurface{memory, memory.get()};
  }, chosen);
  std::printf("\nThe same with the screen read at every wait (every step drawn):\n");
  saver::bench::RunEffectBench("memory, read at every wait,", size.width, size.height, [&] {
    auto watched = std::make_shared<ReadAtEveryWait>(pictures);
    return saver::bench::BenchSurface{std::shared_ptr<saver::CDrawingSurface>(watched, &watched->memory),
                                      &watched->pacer};
  }, chosen);
}
