// Drawing time of every effect on the memory surface for a 1920 x 1080 target, without waits,
// as a ratio to one full-frame copy. Usage: bench_effects [width height]
#include <memory>

#include "EffectBench.h"
#include "effects/MemorySurface.h"

int main(int argc, char** argv) {
  const saver::Size size = saver::bench::TargetSize(argc, argv);
  if (size.width == 0) return 2;
  const saver::bench::BenchPictures pictures = saver::bench::MakeBenchPictures(size);
  saver::bench::RunEffectBench("memory", size.width, size.height, [&] {
    auto memory =
        std::make_shared<saver::MemorySurface>(pictures.old_picture, pictures.new_picture, pictures.new_picture);
    return saver::bench::BenchSurface{memory, memory.get()};
  });
}
