#include "ToolValidation.h"

#include <algorithm>
#include <cstdlib>

#include "imaging/DecodePicture.h"
#include "scene/ImageItem.h"

namespace saver::tool {

std::optional<Size> MeasureSayingWhy(std::span<const std::uint8_t> bytes, CMessageSink& messages) {
  Size size;
  PictureRefusal damage;
  if (saver::MeasurePicture(bytes, size, messages, JpegDataCheck::Whole, &damage)) return size;
  if (!damage.message.empty()) messages.Show(damage.message);
  return std::nullopt;
}

std::optional<Size> CToolMeasurer::Measure(std::span<const std::uint8_t> bytes, CMessageSink& messages) {
  return MeasureSayingWhy(bytes, messages);
}

std::optional<Size> CToolMeasurer::RenderText(CImageItem& item) {
  // The font height is the record's first 32-bit value; negative means a character height.
  std::int32_t height = 0;
  for (int i = 3; i >= 0; --i) height = static_cast<std::int32_t>(static_cast<std::uint32_t>(height) << 8 | item.font[i]);
  constexpr std::int32_t kTallest = 1 << 15;  // keeps the estimate far from overflow
  const int line_height = static_cast<int>(std::clamp<std::int64_t>(std::abs(std::int64_t{height}), 1, kTallest));
  int lines = 1;
  std::size_t longest = 0, current = 0;
  for (char c : item.text) {
    if (c == '\n') {
      ++lines;
      current = 0;
    } else if (c != '\r') {
      longest = std::max(longest, ++current);
    }
  }
  const auto width = static_cast<int>(std::min<std::size_t>(longest * line_height / 2 + 1, 1 << 16));
  return Size{width, std::min(lines, 1 << 12) * line_height};
}

}  // namespace saver::tool
