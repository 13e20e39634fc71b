#include "slideshow/PhotoProcessing.h"

#include <new>

#include "ToolValidation.h"
#include "imaging/DecodePicture.h"
#include "imaging/PictureFormat.h"
#include "imaging/PictureWriters.h"
#include "slideshow/AreaAverager.h"
#include "slideshow/ExifFields.h"
#include "slideshow/JpegPhotoReader.h"
#include "slideshow/LosslessTurn.h"
#include "slideshow/Orientation.h"

namespace saver::tool {
namespace {

using Bytes = std::vector<std::uint8_t>;

PhotoOutcome Skip(std::string reason) { return {std::nullopt, std::move(reason)}; }

// What the engine's decoders said, or the general reason when they gave no message.
std::string EngineReason(const CMessageLog& messages, const std::string& otherwise) {
  return messages.Texts().empty() ? otherwise : messages.Texts().front();
}

// The bytes as they are, once the engine's own measuring (its validation) accepts them.
PhotoOutcome Checked(Bytes bytes, const char* extension, PhotoTreatment treatment) {
  CMessageLog messages;
  const std::optional<Size> size = MeasureSayingWhy(bytes, messages);
  if (!size) return Skip(EngineReason(messages, "damaged: the engine cannot decode it"));
  return {ProcessedPhoto{std::move(bytes), extension, *size, treatment}, {}};
}

PhotoOutcome Encoded(const CPixelBuffer& upright, const PhotoSettings& settings) {
  std::optional<Bytes> jpeg = EncodeJpeg(upright, settings.quality);
  if (!jpeg) return Skip("cannot be encoded as JPEG (out of memory)");
  return {ProcessedPhoto{std::move(*jpeg), ".jpg", {upright.Width(), upright.Height()}, PhotoTreatment::Reduced}, {}};
}

// The photo decoded by the engine's own readers (every format, CMYK JPEG included).
std::optional<CPixelBuffer> DecodeWithEngine(std::span<const std::uint8_t> file, std::string& reason) {
  CMessageLog messages;
  Size size;
  std::optional<CPixelBuffer> pixels = DecodePicture(file, size, messages);
  if (pixels) return pixels;
  // Showing a picture keeps quiet about damaged data; measuring it again gives the reader's words.
  if (messages.Texts().empty()) MeasureSayingWhy(file, messages);
  reason = EngineReason(messages, "damaged, or larger than the engine reads");
  return pixels;
}

PhotoOutcome ProcessJpeg(std::span<const std::uint8_t> file, const PhotoSettings& settings) {
  std::string reason;
  const std::optional<JpegHeader> header = ReadJpegHeader(file, reason);
  if (!header) return Skip("damaged JPEG (" + reason + ")");
  const int orientation = ReadExifFields(file).orientation;
  const Size upright = UprightSize(header->size, orientation);
  const Size target = FitWithin(upright, settings.max_size);
  if (target == upright) {
    if (orientation == 1) return Checked(Bytes(file.begin(), file.end()), ".jpg", PhotoTreatment::Kept);
    std::optional<Bytes> turned = TurnJpegLosslessly(file, orientation);
    if (!turned) return Skip("damaged JPEG (its coded blocks cannot be turned)");
    return Checked(std::move(*turned), ".jpg", PhotoTreatment::Turned);
  }
  // Decoded as stored, reduced to the target's stored shape, then turned.
  const Size stored_target = UprightSize(target, orientation);
  std::optional<CPixelBuffer> reduced;
  if (header->rgb_output) {
    reduced = DecodeJpegReduced(file, stored_target, reason);
  } else if (std::optional<CPixelBuffer> whole = DecodeWithEngine(file, reason)) {
    reduced = AverageDown(*whole, stored_target);
  }
  if (!reduced) return Skip("damaged JPEG (" + reason + ")");
  return Encoded(TurnUpright(*reduced, orientation), settings);
}

PhotoOutcome ProcessOther(std::span<const std::uint8_t> file, const char* extension, const PhotoSettings& settings) {
  std::string reason;
  std::optional<CPixelBuffer> pixels = DecodeWithEngine(file, reason);
  if (!pixels) return Skip(reason);
  const Size size{pixels->Width(), pixels->Height()};
  const Size target = FitWithin(size, settings.max_size);
  if (target == size) return {ProcessedPhoto{Bytes(file.begin(), file.end()), extension, size, PhotoTreatment::Kept}, {}};
  return Encoded(AverageDown(*pixels, target), settings);
}

}  // namespace

PhotoOutcome ProcessPhoto(std::span<const std::uint8_t> file, const PhotoSettings& settings) {
  try {
    switch (DetectPictureFormat(file, {})) {
      case PictureFormat::Jpeg: return ProcessJpeg(file, settings);
      case PictureFormat::Png: return ProcessOther(file, ".png", settings);
      case PictureFormat::Bmp: return ProcessOther(file, ".bmp", settings);
      case PictureFormat::Pcx: return ProcessOther(file, ".pcx", settings);
      case PictureFormat::Tga: return ProcessOther(file, ".tga", settings);
      default: return Skip("not a JPEG, PNG, BMP, PCX or TGA picture");
    }
  } catch (const std::bad_alloc&) {
    return Skip("out of memory");
  }
}

}  // namespace saver::tool
