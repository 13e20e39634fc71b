// Feeds arbitrary bytes to the JPEG decoder, at full size and through the scaled, resampled
// path that fits a picture to a target: both must refuse or decode, never crash or hang.
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
  auto fitted = saver::DecodePictureResized({data, size}, {37, 23}, natural, messages);
  // Both paths judge JPEG data the same way (other data goes to other readers when fitted).
  const bool jpeg = saver::DetectPictureFormat({data, size}, {}) == saver::PictureFormat::Jpeg;
  if (jpeg && full.has_value() != fitted.has_value()) __builtin_trap();
  return 0;
}
