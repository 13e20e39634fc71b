#pragma once
// The screen of the show for image and line items: the saver window's device context, with the
// window's background colour, the snapshot files, text rendering through GDI fonts and plain
// message boxes. Every GDI object it makes lives only for the call that needs it.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "effects/win/GdiSurface.h"
#include "scene/ImageStage.h"

namespace saver::win {

// A canvas over a device context whose drawable size is given (a window DC knows none).
class CGdiCanvas final : public CImageCanvas {
 public:
  CGdiCanvas(HDC dc, Size size);

  Size CanvasSize() const override { return size_; }
  void Fill(const Rect& area, std::uint32_t colour) override;
  bool Read(const Rect& area, CPixelBuffer& out) override;
  void Draw(Point at, const CPixelBuffer& pixels) override;
  void DrawLine(Point from, Point to, const LinePen& pen) override;
  void WithSurface(const CPixelBuffer& frame, const CPixelBuffer& picture, CPacer& pacer,
                   const SurfaceWork& work) override;

 private:
  HDC dc_;
  Size size_;
  // The screen layer alone, for reading, drawing and filling with the transitions' own clipping.
  CGdiSurface screen_;
};

class CGdiImageStage final : public CImageStage {
 public:
  struct Files {  // UTF-8 paths
    std::string desktop_snapshot;
    std::string wallpaper;
  };

  // `screen` is a DC of the saver window, valid while the stage lives; `window_background`
  // reads the window's current fill colour; `messages` shows the show's plain message boxes
  // (a CMessageBoxSink in the saver).
  CGdiImageStage(HDC screen, std::function<std::uint32_t()> window_background, Files files, CMessageSink& messages);

  CImageCanvas& Screen() override { return canvas_; }
  ScreenMetrics Metrics() const override { return metrics_; }
  std::uint32_t WindowBackground() const override { return window_background_(); }
  std::optional<CPixelBuffer> RenderText(CImageItem& item, std::string_view text) override;
  CMessageSink& Messages() override { return messages_; }
  std::string SnapshotPath(std::uint32_t source_mode) const override;
  std::string DisplayName(const std::string& path) const override;
  int OperatingSystemClass() const override { return operating_system_class_; }

 private:
  ScreenMetrics metrics_;
  CGdiCanvas canvas_;
  std::function<std::uint32_t()> window_background_;
  Files files_;
  CMessageSink& messages_;
  int operating_system_class_;
};

}  // namespace saver::win
