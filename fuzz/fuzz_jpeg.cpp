// Feeds arbitrary bytes to the JPEG decoder at full size, through the scaled, resampled path
// that fits a picture to a target (at 1/8 of the size and, for a picture that decodes, at 1/2,
// where the engine's own reduced-size decoder takes one-scan files), and through the measuring
// path: all must refuse or decode, never crash or hang, and all must judge JPEG data alike.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "imaging/DecodePicture.h"
#include "imaging/PictureFormat.h"
#include "imaging/PictureReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto full = saver::ReadJpeg({data, size});
  saver::fuzz::IgnoreMessages messages;
  saver::Size natural;
  auto fitted = saver::DecodePictureResized({data, size}, {1, 1}, natural, messages);
  if (full && full->Width() >= 2 && full->Height() >= 2) {
    const saver::Size half{full->Width() / 2, full->Height() / 2};
    if (!saver::DecodePictureResized({data, size}, half, natural, messages)) __builtin_trap();
  }
  saver::Size measured;
  const bool measures = saver::MeasurePicture({data, size}, measured, messages);
  // Other data goes to other readers when fitted or measured.
  const bool jpeg = saver::DetectPictureFormat({data, size}, {}) == saver::PictureFormat::Jpeg;
  if (jpeg && (full.has_value() != fitted.has_value() || full.has_value() != measures)) __builtin_trap();
  if (jpeg && measures && (measured.width != full->Width() || measured.height != full->Height())) __builtin_trap();
  return 0;
}
