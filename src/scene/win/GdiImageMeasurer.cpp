#include "scene/win/GdiImageMeasurer.h"

#include "imaging/ImageRGB.h"
#include "scene/ImageItem.h"
#include "scene/win/TextRendering.h"

namespace saver::win {

// A JPEG is measured by its header and the end of its data: damage inside its scan shows when the
// picture is shown (docs/imaging.md, "Measuring at start-up").
std::optional<Size> CGdiImageMeasurer::Measure(std::span<const std::uint8_t> bytes, CMessageSink& messages) {
  CImageRGB image;
  Size size;
  if (!image.MeasureImage(bytes, size, messages, JpegDataCheck::HeaderAndEnd)) return std::nullopt;
  return size;
}

std::optional<Size> CGdiImageMeasurer::RenderText(CImageItem& item) {
  if (!win::RenderText(item.image, item, {})) return std::nullopt;
  return item.image.GetSize();
}

}  // namespace saver::win
