// Feeds arbitrary bytes to the JPEG decoder at full size (held whole), through the scaled,
// resampled path that fits a picture to a target (at 1/8 of the size and, for a picture that
// decodes, at 1/2), and through the measuring path (the scan check, or libjpeg skipping rows):
// all must refuse or decode, never crash or hang, and all must judge JPEG data alike. Only the
// size limits differ: a picture held whole has a smaller one than a fitted or measured one.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "imaging/DecodePicture.h"
#include "imaging/PictureFormat.h"
#include "imaging/PictureReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  saver::PictureRefusal refusal;
  auto full = saver::ReadJpeg({data, size}, &refusal);
  // Other data goes to other readers when fitted or measured, and has fuzz targets of its own.
  if (saver::DetectPictureFormat({data, size}, {}) != saver::PictureFormat::Jpeg) return 0;
  saver::fuzz::IgnoreMessages messages;
  saver::Size natural;
  auto fitted = saver::DecodePictureResized({data, size}, {1, 1}, natural, messages);
  if (full && full->Width() >= 2 && full->Height() >= 2) {
    const saver::Size half{full->Width() / 2, full->Height() / 2};
    if (!saver::DecodePictureResized({data, size}, half, natural, messages)) __builtin_trap();
  }
  saver::Size measured;
  const bool measures = saver::MeasurePicture({data, size}, measured, messages);
  if (fitted.has_value() != measures) __builtin_trap();
  if (full && !fitted) __builtin_trap();
  const bool held_too_large = refusal.reason == saver::PictureRefusal::Reason::TooLarge;
  if (!full && fitted && !held_too_large) __builtin_trap();
  if (measures && fitted && measured != natural) __builtin_trap();
  if (full && (measured.width != full->Width() || measured.height != full->Height())) __builtin_trap();
  return 0;
}
