#pragma once
#include "imaging/MessageSink.h"
#include "scene/ImageMeasurer.h"

namespace saver::win {

// What image validation asks of the pictures code, on GDI: a picture's natural size and an
// item's rendered text (whose pixels stay in the item's image buffer).
class CGdiImageMeasurer final : public CImageMeasurer {
 public:
  explicit CGdiImageMeasurer(CMessageSink& messages) : CImageMeasurer(messages) {}
  std::optional<Size> RenderText(CImageItem& item) override;

 protected:
  std::optional<Size> Measure(std::span<const std::uint8_t> bytes, CMessageSink& messages) override;
};

}  // namespace saver::win
