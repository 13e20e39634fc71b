// Fitting a 24-megapixel JPEG to a 1920 x 1080 screen: the engine's decode-and-resize path
// against libjpeg-turbo's own full-size decode of the same file, the heap it needs beyond the
// input, and the cost of measuring the picture. Times are wall-clock (best of the runs), which
// is what a user waits: the fit of a one-scan file decodes its Huffman codes on a second thread
// while the first reconstructs and resizes; the processor time of the whole process is printed
// beside it. Run it on a quiet machine. Prints figures; asserts nothing.
#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

#include "imaging/BilinearResampler.h"
#include "imaging/ImageRGB.h"
#include "imaging/PictureReaders.h"
#include "imaging/PictureWriters.h"

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

constexpr int kWidth = 6000, kHeight = 4000;  // 24 megapixels
constexpr int kScreenWidth = 1920, kScreenHeight = 1080;
constexpr int kRuns = 7;

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

Figures Measure(const std::function<void()>& work) {
  Figures f{1e9, 1e9, 0};
  for (int i = 0; i < kRuns; ++i) {
    const long long base = g_live.load();
    g_peak = base;
    const double start = Seconds(CLOCK_MONOTONIC), cpu_start = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    work();
    f.seconds = std::min(f.seconds, Seconds(CLOCK_MONOTONIC) - start);
    f.cpu_seconds = std::min(f.cpu_seconds, Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu_start);
    f.peak = std::max(f.peak, g_peak.load() - base);
  }
  return f;
}

// A photograph-like picture: smooth gradients with fine texture of the given amplitude (a
// power of two); the texture decides how much of a decode is entropy decoding.
saver::PixelBuffer MakePicture(int texture) {
  saver::PixelBuffer p(kWidth, kHeight);
  std::uint32_t noise = 12345;
  for (int y = 0; y < kHeight; ++y) {
    std::uint8_t* row = p.Row(y);
    for (int x = 0; x < kWidth; ++x) {
      noise = noise * 1103515245 + 12345;
      const int n = static_cast<int>((noise >> 16) & (texture - 1));
      row[x * 3] = static_cast<std::uint8_t>((x * 255 / kWidth + n) & 0xFF);
      row[x * 3 + 1] = static_cast<std::uint8_t>((y * 255 / kHeight + n) & 0xFF);
      row[x * 3 + 2] = static_cast<std::uint8_t>(((x + y) / 40 * 17 + n) & 0xFF);
    }
  }
  return p;
}

// libjpeg-turbo on its own: default settings, full size, into one RGB buffer.
void PlainFullDecode(const std::vector<std::uint8_t>& file) {
  jpeg_decompress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, file.data(), file.size());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  std::vector<std::uint8_t> pixels(std::size_t{info.output_width} * info.output_height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = pixels.data() + std::size_t{info.output_scanline} * info.output_width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
}

// The same picture as a progressive file: the baseline file's coefficients rewritten in
// libjpeg's standard progression, losslessly (as jpegtran -progressive does).
std::vector<std::uint8_t> ToProgressive(const std::vector<std::uint8_t>& baseline) {
  jpeg_decompress_struct in;
  jpeg_compress_struct out;
  jpeg_error_mgr in_err, out_err;
  in.err = jpeg_std_error(&in_err);
  out.err = jpeg_std_error(&out_err);
  jpeg_create_decompress(&in);
  jpeg_create_compress(&out);
  jpeg_mem_src(&in, baseline.data(), baseline.size());
  jpeg_read_header(&in, TRUE);
  jvirt_barray_ptr* coefficients = jpeg_read_coefficients(&in);
  jpeg_copy_critical_parameters(&in, &out);
  jpeg_simple_progression(&out);
  unsigned char* bytes = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&out, &bytes, &size);
  jpeg_write_coefficients(&out, coefficients);
  jpeg_finish_compress(&out);
  jpeg_finish_decompress(&in);
  jpeg_destroy_compress(&out);
  jpeg_destroy_decompress(&in);
  std::vector<std::uint8_t> file(bytes, bytes + size);
  std::free(bytes);
  return file;
}

struct Quiet : saver::MessageSink {
  void Show(std::string_view text) override { std::printf("message: %.*s\n", static_cast<int>(text.size()), text.data()); }
};

void Run(int texture, bool progressive) {
  std::vector<std::uint8_t> file;
  {
    auto encoded = saver::EncodeJpeg(MakePicture(texture), 90);
    if (!encoded) std::abort();
    file = progressive ? ToProgressive(*encoded) : std::move(*encoded);
  }
  // Fit keeping the aspect ratio.
  const double scale = std::min(double{kScreenWidth} / kWidth, double{kScreenHeight} / kHeight);
  const int fit_w = static_cast<int>(kWidth * scale), fit_h = static_cast<int>(kHeight * scale);
  const double screen_bytes = double{kScreenWidth} * kScreenHeight * 3;
  std::printf("\n%s, texture amplitude %d: file %.1f MB (%.2f bits per pixel), fitted size %d x %d, screen buffer %.1f MB\n",
              progressive ? "progressive" : "baseline", texture, file.size() / 1e6, file.size() * 8.0 / (double{kWidth} * kHeight), fit_w, fit_h,
              screen_bytes / 1e6);

  Quiet messages;
  const Figures plain = Measure([&] { PlainFullDecode(file); });
  const Figures fitted = Measure([&] {
    saver::CImageRGB image;
    if (image.LoadImageResized(file, fit_w, fit_h, messages) != saver::CImageRGB::LoadResult::Loaded) std::abort();
  });
  const Figures naive = Measure([&] {
    saver::CImageRGB image;
    if (!image.LoadImage(file, messages) || !image.ResizeImage(fit_w, fit_h)) std::abort();
  });
  const Figures measure = Measure([&] {
    saver::CImageRGB image;
    saver::Size size;
    if (!image.MeasureImage(file, size, messages) || size.width != kWidth) std::abort();
  });

  auto line = [&](const char* what, const Figures& f) {
    std::printf("  %-34s %7.1f ms (cpu %7.1f ms)  ratio %.2f", what, f.seconds * 1e3, f.cpu_seconds * 1e3,
                f.seconds / plain.seconds);
  };
  line("libjpeg-turbo full decode:", plain);
  std::printf("               heap %6.1f MB\n", plain.peak / 1e6);
  line("decode + fit (scaled, streamed):", fitted);
  std::printf(" (goal <= 0.50)  heap %6.1f MB = %.2f x screen (goal < 2)\n", fitted.peak / 1e6, fitted.peak / screen_bytes);
  line("full decode + resize (comparison):", naive);
  std::printf("               heap %6.1f MB = %.2f x screen\n", naive.peak / 1e6, naive.peak / screen_bytes);
  line("MeasureImage:", measure);
  std::printf(" (goal <= 0.25)  heap %6.1f MB\n", measure.peak / 1e6);
}

}  // namespace

int main() {
  std::printf("bench_imaging: %d x %d JPEG (quality 90) fitted to %d x %d, best of %d runs (wall-clock time)\n", kWidth, kHeight,
              kScreenWidth, kScreenHeight, kRuns);
  for (bool progressive : {false, true})
    for (int texture : {16, 4}) Run(texture, progressive);
  return 0;
}
