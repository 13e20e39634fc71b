#include "imaging/PictureLimits.h"

#include <new>
#include <string>

namespace saver {

bool IsAcceptedPictureSize(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

bool CanHoldPicture(std::int64_t width, std::int64_t height, PictureRefusal* refusal) {
  if (IsAcceptedPictureSize(width, height)) return true;
  if (refusal && width > 0 && height > 0)
    *refusal = TooLargeRefusal({static_cast<int>(width), static_cast<int>(height)}, kHeldPictureLimit);
  return false;
}

PictureRefusal TooLargeRefusal(Size size, std::string_view limit) {
  return {PictureRefusal::Reason::TooLarge, "The picture is " + std::to_string(size.width) + " x " +
                                                std::to_string(size.height) + " pixels, beyond the limit of " +
                                                std::string(limit) + "."};
}

std::optional<CPixelBuffer> AllocatePicture(std::int64_t width, std::int64_t height) {
  if (!IsAcceptedPictureSize(width, height)) return std::nullopt;
  try {
    return CPixelBuffer(static_cast<int>(width), static_cast<int>(height));
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace saver
