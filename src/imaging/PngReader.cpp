// PNG through libpng's simplified reader, which handles every colour type and bit depth,
// interlacing, transparency chunks and gamma, and reports errors without leaving by exit().
#include <cstring>

#include <png.h>

#include "imaging/PictureLimits.h"
#include "imaging/PictureReaders.h"

namespace saver {

std::optional<PixelBuffer> ReadPng(std::span<const std::uint8_t> data) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) return std::nullopt;
  std::optional<PixelBuffer> out;
  if (IsAcceptedPictureSize(image.width, image.height)) out = AllocatePicture(image.width, image.height);
  if (!out) {
    png_image_free(&image);
    return std::nullopt;
  }
  image.format = PNG_FORMAT_RGB;
  // 16-bit files without gamma information are taken as ordinary sRGB, as they are written.
  image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
  const png_color black{0, 0, 0};  // alpha is flattened onto black
  bool ok = png_image_finish_read(&image, &black, out->Data(), static_cast<png_int_32>(out->RowBytes()), nullptr);
  png_image_free(&image);
  if (!ok) return std::nullopt;
  return out;
}

}  // namespace saver
