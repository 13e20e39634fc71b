#pragma once
#include <optional>
#include <string>
#include <vector>

#include "base/UserMessages.h"
#include "imaging/MessageSink.h"
#include "scene/ImageMeasurer.h"

namespace saver::tool {

// Collects what items and picture readers would show in message boxes, for the tool's errors.
class CMessageLog final : public CUserMessages, public CMessageSink {
 public:
  void ShowError(std::string_view text) override { texts_.emplace_back(text); }
  void Show(std::string_view text) override { texts_.emplace_back(text); }
  const std::vector<std::string>& Texts() const { return texts_; }
  void Clear() { texts_.clear(); }

 private:
  std::vector<std::string> texts_;
};

// Validation as the tool does it off Windows. Pictures are measured as the engine measures them
// (see MeasurePicture), and a JPEG's whole data is checked where the engine's start-up reads only
// its header and end: a picture the engine refuses, at start-up or when it shows it, is refused
// here already, with the reason (for damaged data the reader's own, which the engine keeps to
// itself). Texts cannot be rendered without the system's fonts: the size is estimated from the
// font height (the engine measures again when the show runs; the natural size is not part of the
// package).
// A picture measured as the engine's validation does, its damaged data told in the reader's words
// (which the engine itself leaves to the decode that shows the picture).
std::optional<Size> MeasureSayingWhy(std::span<const std::uint8_t> bytes, CMessageSink& messages);

class CToolMeasurer final : public CImageMeasurer {
 public:
  explicit CToolMeasurer(CMessageSink& messages) : CImageMeasurer(messages) {}
  std::optional<Size> RenderText(CImageItem& item) override;

 protected:
  std::optional<Size> Measure(std::span<const std::uint8_t> bytes, CMessageSink& messages) override;
};

}  // namespace saver::tool
