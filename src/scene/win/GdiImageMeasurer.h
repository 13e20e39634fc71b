#pragma once
#include "imaging/MessageSink.h"
#include "scene/ImageMeasurer.h"

namespace saver::win {

// What image validation asks of the pictures code, on GDI: a picture's natural size and an
// item's rendered text (whose pixels stay in the item's image buffer).
class GdiImageMeasurer final : public ImageMeasurer {
 public:
  explicit GdiImageMeasurer(MessageSink& messages) : messages_(messages) {}
  std::optional<Size> MeasurePicture(std::span<const std::uint8_t> bytes) override;
  std::optional<Size> RenderText(CImageItem& item) override;

 private:
  MessageSink& messages_;
};

}  // namespace saver::win
