#pragma once
// A show's screen in memory for image and line items: a pixel canvas as the screen, a block font
// for texts, recorded message boxes and a runtime whose clocks move on every reading.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/KeyedDraw.h"
#include "scene/ImageItem.h"
#include "scene/ImageStage.h"
#include "scene/SceneRuntime.h"
#include "support/CollectedMessages.h"

namespace saver::testing_support {

// Every character is a cell of kGlyphWidth x kGlyphHeight: a block in the text colour with a
// one-pixel margin of background. Lines break at CR LF; the width is the widest line's times
// 1.02, truncated; lines are aligned in it by the text format.
class MemoryStage : public CImageStage {
 public:
  static constexpr int kGlyphWidth = 6;
  static constexpr int kGlyphHeight = 8;

  MemoryStage(Size screen, std::uint32_t window_background)
      : screen_(CPixelBuffer(screen.width, screen.height)), size_(screen), background_(window_background) {
    screen_.Fill(Rect::FromSize(0, 0, screen.width, screen.height), window_background);
  }

  CPixelCanvas& Canvas() { return screen_; }
  const CPixelBuffer& Pixels() const { return screen_.Pixels(); }

  CImageCanvas& Screen() override { return screen_; }
  ScreenMetrics Metrics() const override { return {size_, size_}; }
  std::uint32_t WindowBackground() const override { return background_; }
  CMessageSink& Messages() override { return messages; }
  std::string SnapshotPath(std::uint32_t source_mode) const override {
    const auto found = snapshot_paths.find(source_mode);
    return found == snapshot_paths.end() ? std::string() : found->second;
  }
  std::string DisplayName(const std::string& path) const override { return "shown as " + path; }
  int OperatingSystemClass() const override { return operating_system_class; }

  std::optional<CPixelBuffer> RenderText(CImageItem& item, std::string_view text) override {
    ++renders;
    if (text.empty()) text = item.text;
    std::vector<std::string_view> lines;
    for (std::size_t start = 0;;) {
      const std::size_t end = text.find("\r\n", start);
      lines.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
      if (end == std::string_view::npos) break;
      start = end + 2;
    }
    std::size_t widest = 0;
    for (std::string_view line : lines) widest = std::max(widest, line.size());
    if (widest == 0) return std::nullopt;
    const int width = static_cast<int>(widest * kGlyphWidth * 102 / 100);
    CPixelBuffer pixels(width, static_cast<int>(lines.size()) * kGlyphHeight);
    const std::uint32_t paper = item.opaque != 0 ? item.background_colour : kTextKeyColor;
    CPixelCanvas canvas(std::move(pixels));
    canvas.Fill(Rect::FromSize(0, 0, width, canvas.CanvasSize().height), paper);
    for (std::size_t row = 0; row < lines.size(); ++row) {
      const int line_width = static_cast<int>(lines[row].size()) * kGlyphWidth;
      const int left = item.text_format == 1 ? (width - line_width) / 2 : item.text_format == 2 ? width - line_width : 0;
      for (std::size_t i = 0; i < lines[row].size(); ++i) {
        canvas.Fill(Rect::FromSize(left + static_cast<int>(i) * kGlyphWidth + 1,
                                   static_cast<int>(row) * kGlyphHeight + 1, kGlyphWidth - 2, kGlyphHeight - 2),
                    item.text_colour);
      }
    }
    return std::move(canvas.Pixels());
  }

  std::map<std::uint32_t, std::string> snapshot_paths;
  CollectedMessages messages;
  int renders = 0;
  int operating_system_class = 0;

 private:
  CPixelCanvas screen_;
  Size size_;
  std::uint32_t background_;
};

// Sleeps and paced waits are counted, not waited; the clocks advance at every reading, so that
// seeds taken one after another differ.
class StageRuntime : public CSceneRuntime {
 public:
  explicit StageRuntime(CImageStage& stage)
      : stage_(stage),
        sources_{[this] { return clock_ += 17; }, [this] { return (clock_ += 3) % 1000; },
                 [] { return std::int32_t{1000}; }} {}

  bool StopRequested() const override { return stop_; }
  void Sleep(std::uint32_t milliseconds) override { sleeps.push_back(milliseconds); }
  void PacedWait(std::int32_t a, double) override {
    paced_waits.push_back(a);
    if (stop_after_waits > 0 && static_cast<int>(paced_waits.size()) >= stop_after_waits) stop_ = true;
  }
  std::uint32_t TickCount() const override { return clock_; }
  const RandomSeedSources& SeedSources() const override { return sources_; }
  void FillScreen(std::uint32_t, std::uint32_t) override {}
  void ArmLink(std::string, int) override {}
  CImageStage* Images() override { return &stage_; }

  void RequestStop() { stop_ = true; }

  std::vector<std::uint32_t> sleeps;
  std::vector<std::int32_t> paced_waits;
  int stop_after_waits = 0;

 private:
  CImageStage& stage_;
  std::uint32_t clock_ = 1000;
  RandomSeedSources sources_;
  bool stop_ = false;
};

}  // namespace saver::testing_support
