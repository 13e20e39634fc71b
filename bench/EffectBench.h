#pragma once
// Shared by the effect benchmarks on the memory surface and on GDI: times every effect
// of the catalogue on one target size, with waits that return at once, as a ratio to one
// full-frame copy of the same size on the same surface, and lists the worst effects.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "effects/EffectContext.h"
#include "effects/EffectTable.h"
#include "imaging/PixelBuffer.h"

namespace saver::bench {

// Target size from the command line (width height), 1920 x 1080 without; 0 x 0 when bad.
inline Size TargetSize(int argc, char** argv) {
  const int w = argc > 2 ? std::atoi(argv[1]) : 1920, h = argc > 2 ? std::atoi(argv[2]) : 1080;
  return w > 0 && h > 0 ? Size{w, h} : Size{};
}

// Two different pictures of the target size, so that every copy moves real data.
struct BenchPictures {
  PixelBuffer old_picture, new_picture;
};
inline BenchPictures MakeBenchPictures(Size size) {
  BenchPictures p{PixelBuffer(size.width, size.height), PixelBuffer(size.width, size.height)};
  for (int y = 0; y < size.height; ++y) {
    for (int x = 0; x < size.width; ++x) {
      p.old_picture.SetPixel(x, y, static_cast<std::uint32_t>(x * 7 + y));
      p.new_picture.SetPixel(x, y, static_cast<std::uint32_t>(x + y * 13) | 0x800000);
    }
  }
  return p;
}

// Reads one pixel of the screen back, so that drawing a surface holds back or queues is done
// before the clock stops.
inline void FinishDrawing(DrawingSurface& surface) {
  PixelBuffer pixel;
  surface.Read(Layer::Screen, Rect::FromSize(0, 0, 1, 1), pixel);
}

// make_surface() gives a fresh surface (as a std::shared_ptr<DrawingSurface>) whose screen shows
// the old picture and whose frame holds the new one, both at least w x h.
template <typename MakeSurface>
void RunEffectBench(const char* surface_name, int w, int h, MakeSurface make_surface) {
  using Clock = std::chrono::steady_clock;
  const auto milliseconds = [](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };

  auto surface = make_surface();
  EffectContext baseline_context(*surface, {0, 0}, {w, h}, 1000);
  constexpr int kBaselineCopies = 20;
  const auto baseline_start = Clock::now();
  for (int i = 0; i < kBaselineCopies; ++i) {
    baseline_context.Blit(0, 0, w, h, Layer::New, 0, 0);
    FinishDrawing(*surface);
  }
  const double copy_ms = milliseconds(Clock::now() - baseline_start) / kBaselineCopies;
  std::printf("Effects on the %s surface, %d x %d target; one full-frame copy: %.3f ms\n", surface_name, w, h,
              copy_ms);
  std::printf("%6s  %-50s %10s %10s\n", "effect", "name", "ms", "copies");

  struct Row {
    const EffectEntry* entry;
    double ms;
  };
  std::vector<Row> rows;
  for (const EffectEntry& entry : EffectCatalogue()) {
    surface = make_surface();
    EffectContext context(*surface, {0, 0}, {w, h}, 1000);
    const auto start = Clock::now();
    entry.run(context);
    FinishDrawing(*surface);
    rows.push_back({&entry, milliseconds(Clock::now() - start)});
    std::printf("%6d  %-50.50s %10.1f %10.1f\n", entry.number, std::string(entry.name).c_str(), rows.back().ms,
                rows.back().ms / copy_ms);
    std::fflush(stdout);
  }
  std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.ms > b.ms; });
  std::printf("Slowest five by ratio to a full-frame copy (goal on the memory surface: within 100 frame copies):\n");
  for (std::size_t i = 0; i < std::min<std::size_t>(5, rows.size()); ++i) {
    std::printf("%6d  %-50.50s %10.1f\n", rows[i].entry->number, std::string(rows[i].entry->name).c_str(),
                rows[i].ms / copy_ms);
  }
}

}  // namespace saver::bench
