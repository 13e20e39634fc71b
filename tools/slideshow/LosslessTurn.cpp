#include "slideshow/LosslessTurn.h"

#include <turbojpeg.h>

#include <array>
#include <memory>

namespace saver::tool {
namespace {

// The transform that makes each orientation upright (index: the EXIF value).
constexpr std::array<int, 9> kOperations = {TJXOP_NONE,      TJXOP_NONE,  TJXOP_HFLIP, TJXOP_ROT180,
                                            TJXOP_VFLIP,     TJXOP_TRANSPOSE, TJXOP_ROT90, TJXOP_TRANSVERSE,
                                            TJXOP_ROT270};

struct TransformerRelease {
  void operator()(void* handle) const { tjDestroy(handle); }
};
struct TurboBufferRelease {
  void operator()(unsigned char* buffer) const { tjFree(buffer); }
};

}  // namespace

std::optional<std::vector<std::uint8_t>> TurnJpegLosslessly(std::span<const std::uint8_t> jpeg, int orientation) {
  if (orientation < 1 || orientation > 8) return std::nullopt;
  const std::unique_ptr<void, TransformerRelease> transformer(tjInitTransform());
  if (!transformer) return std::nullopt;
  tjtransform transform{};
  transform.op = kOperations[orientation];
  transform.options = TJXOPT_TRIM | TJXOPT_COPYNONE;
  unsigned char* raw_output = nullptr;
  unsigned long output_size = 0;
  const int result = tjTransform(transformer.get(), jpeg.data(), static_cast<unsigned long>(jpeg.size()), 1,
                                 &raw_output, &output_size, &transform, TJFLAG_STOPONWARNING);
  const std::unique_ptr<unsigned char, TurboBufferRelease> output(raw_output);
  if (result != 0 || output == nullptr) return std::nullopt;
  return std::vector<std::uint8_t>(output.get(), output.get() + output_size);
}

}  // namespace saver::tool
