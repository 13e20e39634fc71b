#pragma once
#include <string>

#include "ToolValidation.h"
#include "render/RenderCanvas.h"
#include "scene/ImageStage.h"

namespace saver::tool {

// The saver window of a show rendered off screen: a canvas of the chosen size, a background
// colour that fills change, and the show's message boxes collected. It renders no text (that
// needs the Windows fonts) and has no desktop snapshot or wallpaper file.
class COffscreenStage final : public CImageStage {
 public:
  COffscreenStage(Size screen, std::function<void(const CPixelBuffer&)> transition_ended);

  CRenderCanvas& Canvas() { return canvas_; }
  const CMessageLog& ShownMessages() const { return messages_; }
  // The window's fill: its background becomes `colour` and is painted over the whole screen.
  void FillWindow(std::uint32_t colour);

  CImageCanvas& Screen() override { return canvas_; }
  ScreenMetrics Metrics() const override { return {size_, size_}; }
  std::uint32_t WindowBackground() const override { return background_; }
  std::optional<CPixelBuffer> RenderText(CImageItem&, std::string_view) override { return std::nullopt; }
  CMessageSink& Messages() override { return messages_; }
  std::string SnapshotPath(std::uint32_t) const override { return {}; }
  std::string DisplayName(const std::string& path) const override { return path; }
  // Class 0: a system newer than Windows XP, as Wine reports itself.
  int OperatingSystemClass() const override { return 0; }

 private:
  Size size_;
  CMessageLog messages_;  // what the show's message boxes would have said, in order
  CRenderCanvas canvas_;
  std::uint32_t background_ = 0;  // a show starts on a black window
};

}  // namespace saver::tool
