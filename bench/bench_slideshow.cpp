// `saverpkg slideshow` on 100 generated 12 MP photos (4000 x 3000 JPEG of fine detail, every
// fourth stored on its side with EXIF orientation 6): photos prepared per second on all cores
// and on one (decode, turn, area-averaging reduction to 2880 x 2160, JPEG encoding, written to a
// folder), with the processor time each photo took (the same on every core count when nothing
// serialises the pipeline), then the whole command as a separate process with its wall time, peak memory and
// the package's size per photo, and ImageMagick's `mogrify -resize 3840x2160` of the same photos
// in the same run as the baseline of the whole run. Timings on a shared machine are noisy: compare
// the ratios. Prints figures; asserts nothing.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "FileBytes.h"
#include "imaging/PictureWriters.h"
#include "slideshow/PhotoBatch.h"
#include "slideshow/TemporaryFolder.h"

namespace {

namespace fs = std::filesystem;
using saver::PixelBuffer;
using saver::tool::Bytes;

constexpr int kPhotos = 100;
constexpr int kDistinctPhotos = 4;  // generated, then copied: encoding 100 would dominate the run
constexpr int kWidth = 4000, kHeight = 3000;

double Seconds(std::chrono::steady_clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// Smooth colour fields with grain and one-pixel lines on top: detail that aliases under sampling
// and costs a JPEG coder what a real photo does.
Bytes MakePhoto(unsigned seed) {
  PixelBuffer pixels(kWidth, kHeight);
  std::mt19937 random(seed);
  for (int y = 0; y < kHeight; ++y) {
    std::uint8_t* row = pixels.Row(y);
    for (int x = 0; x < kWidth; ++x, row += 3) {
      const int grain = static_cast<int>(random() % 24);
      row[0] = static_cast<std::uint8_t>((x * 255 / kWidth + grain) & 0xFF);
      row[1] = static_cast<std::uint8_t>((y * 255 / kHeight + grain + (x % 7 == 0 ? 60 : 0)) & 0xFF);
      row[2] = static_cast<std::uint8_t>(((x + y + static_cast<int>(seed) * 97) % 256 + grain) & 0xFF);
    }
  }
  return *saver::EncodeJpeg(pixels, 92);
}

// The JPEG with an EXIF block holding orientation 6 (TIFF little-endian, one entry in IFD 0).
Bytes StoredOnItsSide(const Bytes& jpeg) {
  const std::uint8_t app1[] = {0xFF, 0xE1, 0x00, 0x22, 'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0,
                               1, 0, 0x12, 0x01, 3, 0, 1, 0, 0, 0, 6, 0, 0, 0, 0, 0, 0, 0};
  Bytes file(jpeg.size() + sizeof app1);
  std::memcpy(file.data(), jpeg.data(), 2);  // SOI, then the EXIF block, then the rest
  std::memcpy(file.data() + 2, app1, sizeof app1);
  std::memcpy(file.data() + 2 + sizeof app1, jpeg.data() + 2, jpeg.size() - 2);
  return file;
}

std::vector<fs::path> MakePhotos(const fs::path& folder) {
  std::vector<Bytes> distinct;
  for (int i = 0; i < kDistinctPhotos; ++i) distinct.push_back(MakePhoto(static_cast<unsigned>(i + 1)));
  std::vector<fs::path> files;
  for (int i = 0; i < kPhotos; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "IMG_%04d.jpg", i);
    const Bytes& photo = distinct[static_cast<std::size_t>(i % kDistinctPhotos)];
    saver::tool::WriteFileBytes(folder / name, i % 4 == 3 ? StoredOnItsSide(photo) : photo);
    files.push_back(folder / name);
  }
  return files;
}

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

struct ChildRun {
  int status = -1;
  double seconds = 0;
  long peak_kib = 0;
};

// Runs a program to its end, its output thrown away: exit status, wall time and peak memory.
ChildRun RunChild(std::vector<std::string> words) {
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::fflush(stdout);  // or the child would print what this process still holds
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    std::freopen("/dev/null", "w", stdout);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  ChildRun run;
  int status = 0;
  rusage usage{};
  if (child > 0 && wait4(child, &status, 0, &usage) == child) {
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.peak_kib = usage.ru_maxrss;
  }
  run.seconds = Seconds(std::chrono::steady_clock::now() - start);
  return run;
}

}  // namespace

int main() {
  const saver::tool::TemporaryFolder scratch;
  const fs::path photos = scratch.Path() / "photos";
  fs::create_directories(photos);
  std::printf("slideshow of %d photos of %d x %d (%d distinct, every fourth with EXIF orientation 6)\n", kPhotos,
              kWidth, kHeight, kDistinctPhotos);
  const std::vector<fs::path> files = MakePhotos(photos);

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
  const ChildRun whole = RunChild({SAVERPKG_PROGRAM, "slideshow", photos.string(), "-o", saver.string(), "--engine",
                                   engine.string()});
  if (whole.status != 0) {
    std::printf("saverpkg slideshow failed (status %d)\n", whole.status);
    return 1;
  }
  const double package = static_cast<double>(fs::file_size(saver) - fs::file_size(engine) - 1);
  std::printf("whole command: %.1f s, peak memory %.0f MiB (goal < 300), package %.2f MiB per photo\n",
              whole.seconds, whole.peak_kib / 1024.0, package / kPhotos / (1024.0 * 1024.0));

  const fs::path copies = scratch.Path() / "mogrify";
  fs::copy(photos, copies);
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
