#pragma once
// The drawing surface of a transition on Windows: the screen, frame and picture are device
// contexts; the old picture is a memory DC with a bitmap compatible with the screen, made by
// TakeOld. It only draws: the waits go to the scene thread, beside it.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "base/win/ScopedWin.h"
#include "effects/DrawingSurface.h"

namespace saver::win {

class CGdiSurface final : public CDrawingSurface {
 public:
  // `picture` may be null (no picture layer); the frame and picture DCs must be memory DCs, whose
  // selected bitmaps give their sizes. The screen may be a window DC, hence its explicit size.
  CGdiSurface(HDC screen, Size screen_size, HDC frame, HDC picture);
  ~CGdiSurface() override { ReleaseOld(); }
  CGdiSurface(const CGdiSurface&) = delete;
  CGdiSurface& operator=(const CGdiSurface&) = delete;

  Size LayerSize(Layer layer) const override;
  void Stretch(Layer target, const Rect& destination, Layer source, const Rect& source_rect) override;
  void Fill(Layer target, const Rect& area, std::uint32_t colorref) override;
  bool Read(Layer source, const Rect& area, CPixelBuffer& out) override;
  bool TakeOld(const Rect& screen_area) override;
  void ReleaseOld() override;
  void ShowError(std::string_view text) override;

 protected:
  void CopyClipped(Layer target, const ClippedBlock& block, Layer source, std::uint32_t raster_op) override;
  void DrawClipped(Layer target, const ClippedBlock& block, const CPixelBuffer& pixels) override;

 private:
  HDC Dc(Layer layer) const;

  HDC screen_, frame_, picture_;
  Size screen_size_, frame_size_, picture_size_;
  // The old picture. Members go in reverse order: the selection is undone first, then the
  // bitmap and the DC are deleted.
  ScopedMemoryDC old_dc_;
  ScopedBitmap old_bitmap_;
  std::optional<CScopedSelect> old_selection_;
  Size old_size_;
  std::vector<std::uint32_t> draw_words_;
};

}  // namespace saver::win
