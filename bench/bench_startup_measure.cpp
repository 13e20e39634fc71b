// The native side of the start-up of a saver with 200 pictures of 12 megapixels: the package is
// read through the item registry as the engine reads it, and the time is split between reading
// the items (copying and unscrambling every picture) and validation measuring every picture
// ahead on all cores, with each way of checking a JPEG's data. Each is timed with every core and
// with the process held to one core, so the ratio shows whether measuring ahead scales. The fitted
// decode of one picture (what the first picture shown costs) is printed beside them.
// Wall-clock times, best of the runs; run it on a quiet machine. Prints figures; asserts nothing.
#include <sched.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "StartupPackage.h"
#include "app/ItemRegistry.h"
#include "base/UserMessages.h"
#include "imaging/DecodePicture.h"
#include "imaging/ImageRGB.h"
#include "package/ArchiveReader.h"
#include "scene/ImageMeasurer.h"

namespace {

using namespace saver;
using namespace saver::bench;

constexpr int kRuns = 3;

double NowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Silent final : CUserMessages, CMessageSink {
  void ShowError(std::string_view) override {}
  void Show(std::string_view) override {}
};

// Measures as the engine does, with the given check of a JPEG's data; or, without a check, gives
// every picture one size at once, so that only reading the items is timed.
class CBenchMeasurer final : public CImageMeasurer {
 public:
  CBenchMeasurer(CMessageSink& messages, std::optional<JpegDataCheck> check)
      : CImageMeasurer(messages), check_(check) {}
  std::optional<Size> RenderText(CImageItem&) override { return std::nullopt; }

 protected:
  std::optional<Size> Measure(std::span<const std::uint8_t> bytes, CMessageSink& messages) override {
    if (!check_) return Size{kStartupPictureWidth, kStartupPictureHeight};
    CImageRGB image;
    Size size;
    if (!image.MeasureImage(bytes, size, messages, *check_)) return std::nullopt;
    return size;
  }

 private:
  std::optional<JpegDataCheck> check_;
};

// Best wall-clock milliseconds of reading the package into a fresh registry; -1 if it fails.
double ReadMs(const std::vector<std::uint8_t>& package, std::optional<JpegDataCheck> check) {
  double best = -1;
  for (int run = 0; run < kRuns; ++run) {
    Silent silent;
    CBenchMeasurer measurer(silent, check);
    CItemRegistry registry(silent, &measurer);
    CArchiveReader archive(package.data(), package.size());
    std::uint32_t reserved = 0;  // the package begins with it, as the engine's own does
    const double start = NowMs();
    if (!ReadPackage(archive, registry, &reserved)) return -1;
    const double elapsed = NowMs() - start;
    if (best < 0 || elapsed < best) best = elapsed;
  }
  return best;
}

// Holds this thread, and every thread it starts from now on, to the cores of `cores`.
void HoldTo(const cpu_set_t& cores) { sched_setaffinity(0, sizeof(cores), &cores); }

}  // namespace

int main() {
  const std::vector<std::uint8_t> jpeg = StartupPictureJpeg(PictureGrain::Camera);
  const std::vector<std::uint8_t> package = StartupPackage(jpeg);
  cpu_set_t all{};
  sched_getaffinity(0, sizeof(all), &all);
  cpu_set_t one{};
  CPU_ZERO(&one);
  for (int c = 0; c < CPU_SETSIZE; ++c) {
    if (CPU_ISSET(c, &all)) {
      CPU_SET(c, &one);
      break;
    }
  }
  std::printf("Reading a package of %d pictures of %d x %d (JPEG of %zu bytes each), best of %d runs\n",
              kStartupPictures, kStartupPictureWidth, kStartupPictureHeight, jpeg.size(), kRuns);
  std::printf("  %-44s %10s %10s %8s\n", "", "all cores", "one core", "one/all");
  const struct {
    const char* name;
    std::optional<JpegDataCheck> check;
  } ways[] = {
      {"reading the items only (no measuring)", std::nullopt},
      {"read + measure, whole data (scan check)", JpegDataCheck::Whole},
      {"read + measure, header and end (engine)", JpegDataCheck::HeaderAndEnd},
  };
  for (const auto& way : ways) {
    HoldTo(all);
    const double all_ms = ReadMs(package, way.check);
    HoldTo(one);
    const double one_ms = ReadMs(package, way.check);
    HoldTo(all);
    std::printf("  %-44s %7.0f ms %7.0f ms %8.2f\n", way.name, all_ms, one_ms, one_ms / all_ms);
  }

  Silent silent;
  Size natural;
  double best = -1;
  for (int run = 0; run < kRuns; ++run) {
    const double start = NowMs();
    if (!DecodePictureResized(jpeg, {1920, 1080}, natural, silent)) return 1;
    const double elapsed = NowMs() - start;
    if (best < 0 || elapsed < best) best = elapsed;
  }
  std::printf("  one picture fitted to 1920 x 1080 (the first picture shown): %.0f ms\n", best);
  return 0;
}
