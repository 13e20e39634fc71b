#pragma once
#include <optional>
#include <string>
#include <vector>

#include "base/UserMessages.h"
#include "imaging/MessageSink.h"
#include "scene/ImageMeasurer.h"

namespace saver::tool {

// Collects what items and picture readers would show in message boxes, for the tool's errors.
class MessageLog final : public UserMessages, public MessageSink {
 public:
  void ShowError(std::string_view text) override { texts_.emplace_back(text); }
  void Show(std::string_view text) override { texts_.emplace_back(text); }
  const std::vector<std::string>& Texts() const { return texts_; }
  void Clear() { texts_.clear(); }

 private:
  std::vector<std::string> texts_;
};

// Validation as the tool does it off Windows. Pictures are decoded with the engine's own readers,
// so a picture the engine cannot show is refused here already. Texts cannot be rendered without
// the system's fonts: the size is estimated from the font height (the engine measures again when
// the show runs; the natural size is not part of the package).
class ToolMeasurer final : public ImageMeasurer {
 public:
  explicit ToolMeasurer(MessageSink& messages) : messages_(messages) {}
  std::optional<Size> MeasurePicture(std::span<const std::uint8_t> bytes) override;
  std::optional<Size> RenderText(CImageItem& item) override;

 private:
  MessageSink& messages_;
};

}  // namespace saver::tool
