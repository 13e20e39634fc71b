#pragma once
#include <cstdint>
#include <optional>
#include <span>

#include "imaging/Rect.h"

namespace saver {

class CImageItem;

// The picture work that image validation needs and the item model does not do itself: decoding a
// picture's bytes to learn its size, and rendering an image item's text (which leaves the rendered
// pixels in the item's image buffer). Provided by the pictures code; held by the item registry.
class ImageMeasurer {
 public:
  virtual ~ImageMeasurer() = default;
  // The natural size, or nothing when the bytes do not decode (the decoder shows its own message).
  virtual std::optional<Size> MeasurePicture(std::span<const std::uint8_t> bytes) = 0;
  // The rendered size of the item's text, or nothing when it cannot be rendered.
  virtual std::optional<Size> RenderText(CImageItem& item) = 0;
};

}  // namespace saver
