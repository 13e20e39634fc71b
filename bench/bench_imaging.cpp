// Fitting JPEG pictures of 24 and 108 megapixels to a 1920 x 1080 screen, in every layout
// (baseline 4:2:0, 4:2:2, 4:4:4, progressive, and 4:2:0 with a restart marker every row of MCUs as
// phone cameras write), against two yardsticks measured in the same run on the same file:
// libjpeg-turbo's full-size decode streaming its rows through one reused row buffer (as djpeg
// does), and libjpeg-turbo's own scaled decode (the smallest M/8 that stays
// at least the target) streamed through the engine's resampler. Beside them the heap the fit
// needs as a multiple of the screen buffer, and measuring a picture against libjpeg's
// coefficient read. Then the fit as a whole process (fit_picture) against djpeg -scale and,
// when installed, vipsthumbnail, in alternating pairs of runs, medians.
// Times are wall-clock (best of the runs, which take turns) with the processor time of all
// threads beside them.
// Run it on a quiet machine. Prints figures; asserts nothing.
#include <fcntl.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "imaging/BilinearResampler.h"
#include "imaging/ImageRGB.h"

// Heap accounting: every allocation of the process passes through these.
extern "C" void* __libc_malloc(std::size_t);
extern "C" void* __libc_calloc(std::size_t, std::size_t);
extern "C" void* __libc_realloc(void*, std::size_t);
extern "C" void __libc_free(void*);

namespace {
std::atomic<long long> g_live{0};
std::atomic<long long> g_peak{0};

void Count(long long delta) {
  long long now = g_live += delta;
  long long peak = g_peak.load();
  while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
  }
}
}  // namespace

extern "C" void* malloc(std::size_t n) {
  void* p = __libc_malloc(n);
  if (p) Count(static_cast<long long>(malloc_usable_size(p)));
  return p;
}
extern "C" void* calloc(std::size_t n, std::size_t size) {
  void* p = __libc_calloc(n, size);
  if (p) Count(static_cast<long long>(malloc_usable_size(p)));
  return p;
}
extern "C" void* realloc(void* old, std::size_t n) {
  long long before = old ? static_cast<long long>(malloc_usable_size(old)) : 0;
  void* p = __libc_realloc(old, n);
  if (p) Count(static_cast<long long>(malloc_usable_size(p)) - before);
  else if (n == 0) Count(-before);
  return p;
}
extern "C" void free(void* p) {
  if (p) Count(-static_cast<long long>(malloc_usable_size(p)));
  __libc_free(p);
}

namespace {

constexpr saver::Size kScreen{1920, 1080};
constexpr int kQuality = 90;

double Seconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Figures {
  double seconds;      // wall-clock, best of the runs
  double cpu_seconds;  // processor time of all threads, best of the runs
  long long peak;      // heap beyond what was live before, bytes
};

// Runs each piece of work `runs` times, taking turns, so that a change in the machine's load
// falls on all of them alike and their ratios stay fair; the figures of each, in order.
std::vector<Figures> MeasureInTurns(int runs, const std::vector<std::function<void()>>& works) {
  std::vector<Figures> f(works.size(), Figures{1e9, 1e9, 0});
  for (int i = 0; i < runs; ++i) {
    for (std::size_t w = 0; w < works.size(); ++w) {
      const long long base = g_live.load();
      g_peak = base;
      const double start = Seconds(CLOCK_MONOTONIC), cpu_start = Seconds(CLOCK_PROCESS_CPUTIME_ID);
      works[w]();
      f[w].seconds = std::min(f[w].seconds, Seconds(CLOCK_MONOTONIC) - start);
      f[w].cpu_seconds = std::min(f[w].cpu_seconds, Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu_start);
      f[w].peak = std::max(f[w].peak, g_peak.load() - base);
    }
  }
  return f;
}

struct Layout {
  const char* name;
  int luma_h, luma_v;  // sampling of the first component; chroma is 1 x 1
  bool progressive;
  int restart_rows = 0;  // rows of MCUs per restart interval; 0: no restart markers
};
constexpr Layout kLayouts[] = {
    {"baseline 4:2:0", 2, 2, false},
    {"baseline 4:2:2", 2, 1, false},
    {"baseline 4:4:4", 1, 1, false},
    {"progressive 4:2:0", 2, 2, true},
    {"baseline 4:2:0, restart markers", 2, 2, false, 1},
};

struct PictureSize {
  const char* name;
  saver::Size size;
  int runs;
  bool full_decode_goal;  // the fit has a goal against a full decode (where the scale saves most)
};
constexpr PictureSize kSizes[] = {{"24 MP", {6000, 4000}, 5, false}, {"108 MP", {12000, 9000}, 3, true}};

// A photograph-like picture made row by row (a 108 MP picture is never held whole): smooth
// gradients, hard-edged bands and fine grain of +-4 levels.
std::vector<std::uint8_t> EncodePicture(saver::Size size, const Layout& layout) {
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* bytes = nullptr;
  unsigned long length = 0;
  jpeg_mem_dest(&c, &bytes, &length);
  c.image_width = static_cast<JDIMENSION>(size.width);
  c.image_height = static_cast<JDIMENSION>(size.height);
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, kQuality, TRUE);
  c.comp_info[0].h_samp_factor = layout.luma_h;
  c.comp_info[0].v_samp_factor = layout.luma_v;
  if (layout.progressive) jpeg_simple_progression(&c);
  c.restart_in_rows = layout.restart_rows;
  jpeg_start_compress(&c, TRUE);
  std::vector<std::uint8_t> row(static_cast<std::size_t>(size.width) * 3);
  std::uint32_t noise = 12345;
  while (c.next_scanline < c.image_height) {
    const int y = static_cast<int>(c.next_scanline);
    for (int x = 0; x < size.width; ++x) {
      noise = noise * 1103515245 + 12345;
      const int n = static_cast<int>((noise >> 16) & 7) - 4;
      const int band = ((x + y) / (size.width / 40)) % 2 ? 60 : 0;
      row[x * 3] = static_cast<std::uint8_t>(std::clamp(x * 200 / size.width + band + n, 0, 255));
      row[x * 3 + 1] = static_cast<std::uint8_t>(std::clamp(y * 200 / size.height + n + 20, 0, 255));
      row[x * 3 + 2] = static_cast<std::uint8_t>(std::clamp(150 - band + n, 0, 255));
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::vector<std::uint8_t> file(bytes, bytes + length);
  std::free(bytes);
  return file;
}

saver::Size AspectFit(saver::Size picture) {
  const double r = std::max(double(picture.width) / kScreen.width, double(picture.height) / kScreen.height);
  return {static_cast<int>(picture.width / r), static_cast<int>(picture.height / r)};
}

// The smallest M/8 of libjpeg-turbo's scales whose output stays at least `target`.
unsigned SmallestScale(saver::Size picture, saver::Size target) {
  for (unsigned m = 1; m < 8; ++m) {
    if ((picture.width * m + 7) / 8 >= unsigned(target.width) && (picture.height * m + 7) / 8 >= unsigned(target.height))
      return m;
  }
  return 8;
}

// A libjpeg decompressor over `file` with its header read; destroyed with the owner.
struct Decompressor {
  jpeg_decompress_struct info;
  jpeg_error_mgr err;
  explicit Decompressor(const std::vector<std::uint8_t>& file) {
    info.err = jpeg_std_error(&err);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, file.data(), file.size());
    jpeg_read_header(&info, TRUE);
  }
  ~Decompressor() { jpeg_destroy_decompress(&info); }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;
};

// libjpeg-turbo at `eighths` / 8 with default settings, every row through `row_sink`.
void LibjpegDecode(const std::vector<std::uint8_t>& file, unsigned eighths,
                   const std::function<void(const jpeg_decompress_struct&, const std::uint8_t*)>& row_sink) {
  Decompressor d(file);
  jpeg_decompress_struct& info = d.info;
  info.out_color_space = JCS_RGB;
  info.scale_num = eighths;
  info.scale_denom = 8;
  jpeg_start_decompress(&info);
  std::vector<std::uint8_t> row(std::size_t{info.output_width} * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    if (row_sink) row_sink(info, row.data());
  }
  jpeg_finish_decompress(&info);
}

void ScaledDecodeAndResize(const std::vector<std::uint8_t>& file, saver::Size picture, saver::Size target) {
  saver::CPixelBuffer out(target.width, target.height);
  std::optional<saver::CBilinearResampler> resampler;
  LibjpegDecode(file, SmallestScale(picture, target), [&](const jpeg_decompress_struct& info, const std::uint8_t* row) {
    if (!resampler)
      resampler.emplace(saver::Size{int(info.output_width), int(info.output_height)}, target, 3, out.Data(), out.RowBytes());
    resampler->PushRow(row);
  });
}

void ReadCoefficients(const std::vector<std::uint8_t>& file) {
  Decompressor d(file);
  jpeg_read_coefficients(&d.info);
  jpeg_finish_decompress(&d.info);
}

struct PrintedMessages : saver::CMessageSink {
  void Show(std::string_view text) override { std::printf("message: %.*s\n", static_cast<int>(text.size()), text.data()); }
};

void Line(const char* what, const Figures& f, const Figures& full) {
  std::printf("    %-36s %8.1f ms (cpu %8.1f ms)  %.2f of a full decode (cpu %.2f)", what, f.seconds * 1e3,
              f.cpu_seconds * 1e3, f.seconds / full.seconds, f.cpu_seconds / full.cpu_seconds);
}

void RunInProcess(const PictureSize& size, const Layout& layout) {
  const std::vector<std::uint8_t> file = EncodePicture(size.size, layout);
  const saver::Size target = AspectFit(size.size);
  const double screen_bytes = double{kScreen.width} * kScreen.height * 3;
  std::printf("\n  %s %s: %d x %d, file %.1f MB, fitted to %d x %d (libjpeg scale %u/8)\n", size.name, layout.name,
              size.size.width, size.size.height, file.size() / 1e6, target.width, target.height,
              SmallestScale(size.size, target));
  PrintedMessages messages;
  const std::vector<Figures> figures = MeasureInTurns(
      size.runs, {[&] { LibjpegDecode(file, 8, nullptr); }, [&] { ScaledDecodeAndResize(file, size.size, target); },
                  [&] {
                    saver::CImageRGB image;
                    if (image.LoadImageResized(file, target.width, target.height, messages) !=
                        saver::CImageRGB::LoadResult::Loaded)
                      std::abort();
                  },
                  [&] { ReadCoefficients(file); },
                  [&] {
                    saver::CImageRGB image;
                    saver::Size measured;
                    if (!image.MeasureImage(file, measured, messages) || measured != size.size) std::abort();
                  }});
  const Figures &full = figures[0], &scaled = figures[1], &fit = figures[2], &coefficients = figures[3],
                &measure = figures[4];
  Line("libjpeg-turbo full decode (rows):", full, full);
  std::printf("\n");
  Line("libjpeg-turbo scaled decode + resize:", scaled, full);
  std::printf("\n");
  Line("engine fit (LoadImageResized):", fit, full);
  if (size.full_decode_goal) std::printf(" (goal <= 0.50)");
  std::printf("\n      fit / scaled decode + resize: %.2f (cpu %.2f) (goal <= 0.80); heap %.1f MB = %.2f x screen buffer (goal < 2)\n",
              fit.seconds / scaled.seconds, fit.cpu_seconds / scaled.cpu_seconds, fit.peak / 1e6, fit.peak / screen_bytes);
  Line("jpeg_read_coefficients:", coefficients, full);
  std::printf("\n");
  Line("engine measure (MeasureImage):", measure, full);
  std::printf("\n      measure / read coefficients: %.2f (cpu %.2f) (goal <= 0.50); heap %.1f MB\n",
              measure.seconds / coefficients.seconds, measure.cpu_seconds / coefficients.cpu_seconds, measure.peak / 1e6);
}

// --- Whole processes ------------------------------------------------------------------------

std::optional<std::string> FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (!path) return std::nullopt;
  std::string dirs = path;
  for (std::size_t start = 0; start <= dirs.size();) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    const std::string candidate = dirs.substr(start, end - start) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return std::nullopt;
}

struct ProcessTime {
  double seconds = 0, cpu_seconds = 0;
  bool ok = false;
};

ProcessTime RunProcess(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  ProcessTime t;
  const double start = Seconds(CLOCK_MONOTONIC);
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    t.seconds = Seconds(CLOCK_MONOTONIC) - start;
    t.cpu_seconds = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    t.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  posix_spawn_file_actions_destroy(&actions);
  return t;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void RunProcesses(const PictureSize& size, const std::filesystem::path& folder) {
  constexpr int kPairs = 5;
  const std::filesystem::path picture = folder / "picture.jpg";
  {
    const std::vector<std::uint8_t> file = EncodePicture(size.size, kLayouts[0]);
    std::FILE* out = std::fopen(picture.c_str(), "wb");
    if (!out || std::fwrite(file.data(), 1, file.size(), out) != file.size()) std::abort();
    std::fclose(out);
  }
  const saver::Size target = AspectFit(size.size);
  const unsigned scale = SmallestScale(size.size, target);
  struct Contender {
    std::string name;
    std::vector<std::string> args;
    std::vector<double> wall, cpu;
  };
  std::vector<Contender> contenders;
  contenders.push_back({"engine fit (fit_picture)", {FIT_PICTURE_PATH, picture, std::to_string(target.width), std::to_string(target.height)}, {}, {}});
  if (auto djpeg = FindProgram("djpeg")) {
    const std::string s = std::to_string(scale) + "/8";
    contenders.push_back({"djpeg -scale " + s, {*djpeg, "-scale", s, "-outfile", "/dev/null", picture}, {}, {}});
    contenders.push_back({"djpeg (full size)", {*djpeg, "-outfile", "/dev/null", picture}, {}, {}});
  }
  if (auto vips = FindProgram("vipsthumbnail")) {
    const std::string sized = std::to_string(kScreen.width) + "x" + std::to_string(kScreen.height);
    contenders.push_back({"vipsthumbnail -s " + sized, {*vips, "-s", sized, "-o", (folder / "thumb.v").string(), picture}, {}, {}});
  }
  for (int round = 0; round < kPairs; ++round) {
    for (std::size_t i = 0; i < contenders.size(); ++i) {
      Contender& c = contenders[(i + round) % contenders.size()];  // each round starts elsewhere
      const ProcessTime t = RunProcess(c.args);
      if (!t.ok) std::printf("    %s failed\n", c.name.c_str());
      c.wall.push_back(t.seconds);
      c.cpu.push_back(t.cpu_seconds);
    }
  }
  std::printf("\n  %s baseline 4:2:0 as whole processes fitted to %d x %d, medians of %d runs:\n", size.name, target.width,
              target.height, kPairs);
  const double engine_wall = Median(contenders[0].wall), engine_cpu = Median(contenders[0].cpu);
  for (const Contender& c : contenders) {
    const double wall = Median(c.wall), cpu = Median(c.cpu);
    std::printf("    %-30s %8.1f ms (cpu %8.1f ms)  engine / this %.2f (cpu %.2f)\n", c.name.c_str(), wall * 1e3, cpu * 1e3,
                engine_wall / wall, engine_cpu / cpu);
  }
  if (contenders.size() == 1) std::printf("    (djpeg and vipsthumbnail not installed: nothing to compare with)\n");
}

}  // namespace

int main() {
  std::printf("bench_imaging: JPEG (quality %d) fitted to %d x %d keeping the aspect, best of the runs, wall-clock\n", kQuality,
              kScreen.width, kScreen.height);
  for (const PictureSize& size : kSizes)
    for (const Layout& layout : kLayouts) RunInProcess(size, layout);
  char folder_template[] = "/tmp/bench_imaging_XXXXXX";
  if (!mkdtemp(folder_template)) return 1;
  const std::filesystem::path folder = folder_template;
  for (const PictureSize& size : kSizes) RunProcesses(size, folder);
  std::filesystem::remove_all(folder);
  return 0;
}
