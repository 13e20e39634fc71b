#pragma once
#include "imaging/MessageSink.h"
#include "scene/ImageMeasurer.h"

namespace saver::win {

// What image validation asks of the pictures code, on GDI: a picture's natural size and an
// item's rendered text (whose pixels stay in the item's image buffer).
class GdiImageMeasurer final : public ImageMeasurer {
 public:
  explicit GdiImageMeasurer(MessageSink& messages) : ImageMeasurer(messages) {}
  std::optional<Size> RenderText(CImageItem& item) override;

 protected:
  std::optional<Size> Measure(std::span<const std::uint8_t> bytes, MessageSink& messages) override;
};

}  // namespace saver::win
