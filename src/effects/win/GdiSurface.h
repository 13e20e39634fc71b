#pragma once
// The drawing surface of a transition on Windows: the screen, frame and picture are device
// contexts; the old picture is a memory DC with a bitmap compatible with the screen, made by
// TakeOld. Pacing is the scene thread's.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "base/win/ScopedWin.h"
#include "effects/DrawingSurface.h"

namespace saver::win {

class GdiSurface final : public DrawingSurface {
 public:
  // `picture` may be null (no picture layer); the frame and picture DCs must be memory DCs, whose
  // selected bitmaps give their sizes. The screen may be a window DC, hence its explicit size.
  GdiSurface(HDC screen, Size screen_size, HDC frame, HDC picture, Pacer& pacer);
  ~GdiSurface() override { ReleaseOld(); }
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;

  Size LayerSize(Layer layer) const override;
  void Copy(Layer target, const Rect& destination, Layer source, Point source_origin,
            std::uint32_t raster_op) override;
  void Stretch(Layer target, const Rect& destination, Layer source, const Rect& source_rect) override;
  void Fill(Layer target, const Rect& area, std::uint32_t colorref) override;
  bool Read(Layer source, const Rect& area, PixelBuffer& out) override;
  void Draw(Layer target, Point at, const PixelBuffer& pixels, const Rect& part) override;
  bool TakeOld(const Rect& screen_area) override;
  void ReleaseOld() override;
  void ShowError(std::string_view text) override;

  void PacedWait(int a, double d) override { pacer_.PacedWait(a, d); }
  bool StopRequested() override { return pacer_.StopRequested(); }
  std::uint32_t TickCount() override { return pacer_.TickCount(); }
  void Sleep(int milliseconds) override { pacer_.Sleep(milliseconds); }

 private:
  HDC Dc(Layer layer) const;

  HDC screen_, frame_, picture_;
  Size screen_size_, frame_size_, picture_size_;
  Pacer& pacer_;
  // The old picture. Members go in reverse order: the selection is undone first, then the
  // bitmap and the DC are deleted.
  ScopedMemoryDC old_dc_;
  ScopedBitmap old_bitmap_;
  std::optional<ScopedSelect> old_selection_;
  Size old_size_;
  std::vector<std::uint32_t> draw_words_;
};

}  // namespace saver::win
