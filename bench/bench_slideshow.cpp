// `saverpkg slideshow` on 100 generated 12 MP photos (4000 x 3000 JPEG of fine detail, every
// fourth stored on its side with EXIF orientation 6): photos prepared per second on all cores
// and on one (decode, turn, area-averaging reduction to 2880 x 2160, JPEG encoding, written to a
// folder), with the processor time each photo took (the same on every core count when nothing
// serialises the pipeline), then the whole command as a separate process with its wall time, peak memory and
// the package's size per photo, and ImageMagick's `mogrify -resize 3840x2160` of the same photos
// in the same run as the baseline of the whole run. Timings on a shared machine are noisy: compare
// the ratios. Prints figures; asserts nothing.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "BenchPhotos.h"
#include "ChildRun.h"
#include "slideshow/PhotoBatch.h"
#include "slideshow/TemporaryFolder.h"

namespace {

namespace fs = std::filesystem;
using saver::bench::ChildRun;
using saver::bench::RunChild;

constexpr int kPhotos = 100;
constexpr int kDistinctPhotos = 4;  // generated, then copied: encoding 100 would dominate the run

double Seconds(std::chrono::steady_clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// Processor time of every thread of this process so far, in seconds.
double ProcessorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Throughput {
  double photos_per_second = 0;
  double processor_seconds_per_photo = 0;
};

// Photos prepared per second of wall-clock time, and the processor time each took: the same
// processor time on more threads means nothing serialises them, and the wall-clock ratio is then
// what the machine gave (a loaded machine shares its cores among the sessions, not the threads).
Throughput Prepare(const std::vector<fs::path>& files, unsigned threads, const fs::path& out) {
  fs::create_directories(out);
  const double processor_start = ProcessorSeconds();
  const auto start = std::chrono::steady_clock::now();
  saver::tool::PreparePhotos(files, {}, threads, out, [](auto&&...) {});
  const double wall = Seconds(std::chrono::steady_clock::now() - start);
  const auto count = static_cast<double>(files.size());
  return {count / wall, (ProcessorSeconds() - processor_start) / count};
}

}  // namespace

int main() {
  const saver::tool::CTemporaryFolder scratch;
  const fs::path photos = SAVER_BENCH_PHOTOS;  // kept between runs
  std::printf("slideshow of %d photos of %d x %d (%d distinct, every fourth with EXIF orientation 6)\n", kPhotos,
              saver::bench::kPhotoWidth, saver::bench::kPhotoHeight, kDistinctPhotos);
  const std::vector<fs::path> files = saver::bench::MakePhotos(photos, kPhotos, kDistinctPhotos);

  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const Throughput all = Prepare(files, cores, scratch.Path() / "all");
  const Throughput one = Prepare(files, 1, scratch.Path() / "one");
  std::printf("photos prepared per second: %.2f on %u cores, %.2f on one; ratio %.2f (goal >= 1.7 on 2 cores)\n",
              all.photos_per_second, cores, one.photos_per_second, all.photos_per_second / one.photos_per_second);
  std::printf("processor time per photo: %.3f s on %u cores, %.3f s on one; ratio %.2f\n",
              all.processor_seconds_per_photo, cores, one.processor_seconds_per_photo,
              all.processor_seconds_per_photo / one.processor_seconds_per_photo);

  const fs::path engine = SAVER_BENCH_ENGINE;
  if (!fs::exists(engine)) {
    std::printf("no engine at %s (build the mingw32 preset): the whole-run figures are left out\n", engine.c_str());
    return 0;
  }
  const fs::path saver = scratch.Path() / "show.scr";
  std::vector<std::string> command = {SAVERPKG_PROGRAM, "slideshow", "-o", saver.string(), "--engine", engine.string()};
  for (const fs::path& file : files) command.push_back(file.string());
  const ChildRun whole = RunChild(command);
  if (whole.status != 0) {
    std::printf("saverpkg slideshow failed (status %d)\n", whole.status);
    return 1;
  }
  const double package = static_cast<double>(fs::file_size(saver) - fs::file_size(engine) - 1);
  std::printf("whole command: %.1f s, peak memory %.0f MiB (goal < 300), package %.2f MiB per photo\n",
              whole.seconds, whole.peak_kib / 1024.0, package / kPhotos / (1024.0 * 1024.0));

  const fs::path copies = scratch.Path() / "mogrify";
  fs::create_directories(copies);
  for (const fs::path& file : files) fs::copy_file(file, copies / file.filename());
  std::vector<std::string> mogrify = {"mogrify", "-resize", "3840x2160"};
  for (const fs::path& file : files) mogrify.push_back((copies / file.filename()).string());
  const ChildRun baseline = RunChild(mogrify);
  if (baseline.status != 0) {
    std::printf("mogrify failed (status %d): is ImageMagick installed?\n", baseline.status);
    return 1;
  }
  std::printf("mogrify -resize 3840x2160 of the same photos: %.1f s, peak memory %.0f MiB; whole command / mogrify"
              " = %.2f (goal: below 1)\n",
              baseline.seconds, baseline.peak_kib / 1024.0, whole.seconds / baseline.seconds);
  return 0;
}
