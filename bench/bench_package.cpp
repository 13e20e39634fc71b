// `saverpkg build` and `saverpkg check` of a scene of 200 generated 12 MP photos (JPEG, about
// 720 MB in all; kept under the build folder between runs, the first 100 shared with
// bench_slideshow), each as a process of its own: wall time and peak memory against the goals.
// Given the path of another saverpkg program (an earlier build), runs it on the same scene in the
// same run, for a before and after. Timings on a shared machine are noisy: compare the ratios.
// Prints figures; asserts nothing.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchPhotos.h"
#include "ChildRun.h"
#include "FileBytes.h"
#include "slideshow/SlideshowScene.h"
#include "slideshow/TemporaryFolder.h"

namespace {

namespace fs = std::filesystem;
using saver::bench::ChildRun;
using saver::bench::RunChild;

constexpr int kPhotos = 200;
constexpr int kDistinctPhotos = 4;

fs::path WriteScene(const fs::path& folder, const std::vector<fs::path>& files) {
  saver::tool::SlideshowPlan plan;
  for (const fs::path& file : files) plan.pictures.push_back(file.filename().string());
  const std::string text = saver::tool::SlideshowScene(plan).dump(2) + "\n";
  const fs::path scene = folder / "scene-200.json";
  saver::tool::WriteFileBytes(scene, saver::tool::Bytes(text.begin(), text.end()));
  return scene;
}

void Report(const char* what, const ChildRun& run, double goal_seconds) {
  if (run.status != 0) {
    std::printf("  %s failed (status %d)\n", what, run.status);
    return;
  }
  std::printf("  %-6s %6.1f s (goal <= %.0f; %.1f s of processor time), peak memory %5.0f MiB (goal < 300)\n", what,
              run.seconds, goal_seconds, run.cpu_seconds, run.peak_kib / 1024.0);
}

void Measure(const std::string& program, const fs::path& scene, const fs::path& package) {
  std::printf("%s:\n", program.c_str());
  Report("build", RunChild({program, "build", scene.string(), "-o", package.string()}), 20);
  Report("check", RunChild({program, "check", package.string()}), 10);
  std::error_code ignored;
  fs::remove(package, ignored);
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path photos = SAVER_BENCH_PHOTOS;
  const std::vector<fs::path> files = saver::bench::MakePhotos(photos, kPhotos, kDistinctPhotos);
  std::uintmax_t total = 0;
  for (const fs::path& file : files) total += fs::file_size(file);
  std::printf("scene of %d photos of %d x %d, %.0f MB of JPEG\n", kPhotos, saver::bench::kPhotoWidth,
              saver::bench::kPhotoHeight, static_cast<double>(total) / 1e6);
  const fs::path scene = WriteScene(photos, files);
  const saver::tool::CTemporaryFolder scratch;
  Measure(SAVERPKG_PROGRAM, scene, scratch.Path() / "show.pkg");
  if (argc > 1) Measure(argv[1], scene, scratch.Path() / "show.pkg");
  return 0;
}
