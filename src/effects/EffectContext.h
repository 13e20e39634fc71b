#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "effects/DrawingSurface.h"
#include "effects/Pacer.h"

namespace saver {

// What one effect sees while it runs: its target (w x h at (px, py) on the screen), the pace a,
// blits relative to the target, the snapshot of the old picture, pixel buffers, and the pacer.
// Every blit and pixel draw is confined to the target (the surface cuts it), so effects may
// compute blocks that reach past its edges; nothing outside the target ever changes. A wait is
// one call on the pacer.
class CEffectContext {
 public:
  CEffectContext(CDrawingSurface& surface, CPacer& pacer, Point origin, Size size, int pace);

  int Width() const { return size_.width; }
  int Height() const { return size_.height; }
  int Pace() const { return pace_; }

  // Copies the cx x cy block at (sx, sy) of `source` to (px + x, py + y) on the screen.
  void Blit(int x, int y, int cx, int cy, Layer source, int sx, int sy);
  // Copies every block (x, y, cx, cy relative to the target) from the same position of
  // `source`, in the order given, as Blit would one by one.
  void BlitInPlace(std::span<const Rect> blocks, Layer source);
  // One wait of an ordinary step: PacedWait(a, 1000.0).
  void Wait() { pacer_.PacedWait(pace_, 1000.0); }
  void Wait(int a, double d) { pacer_.PacedWait(a, d); }

  bool StopRequested() const { return pacer_.StopRequested(); }
  std::uint32_t TickCount() const { return pacer_.TickCount(); }
  // A negative length sleeps not at all.
  void Sleep(int milliseconds) { pacer_.Sleep(milliseconds > 0 ? static_cast<std::uint32_t>(milliseconds) : 0); }
  void ShowError(std::string_view text) { surface_.ShowError(text); }

  // The target area of the screen, the new picture (w x h) and the whole picture layer.
  bool ReadScreen(CPixelBuffer& out);
  bool ReadNew(CPixelBuffer& out);
  bool ReadPicture(CPixelBuffer& out);
  // Draws a buffer with its top-left corner at (px + x, py + y), cut to the target.
  void DrawPixels(const CPixelBuffer& pixels, int x, int y);
  // Draws the picture that `make` gives (see CDrawingSurface::DrawMade) at the target's top-left
  // corner, cut to the target.
  void DrawMadePixels(Size size, CDrawingSurface::PixelMaker make);
  // Fills the whole target with one colour (0x00BBGGRR).
  void FillTarget(std::uint32_t colorref);

 private:
  friend class COldSnapshot;

  CDrawingSurface& surface_;
  CPacer& pacer_;
  Rect target_;  // on the screen, already cut to the screen
  Point origin_;
  Size size_;
  int pace_;
};

// The old picture for effects that move it: the target area of the screen as it was when the
// effect began, readable as Layer::Old until the snapshot goes out of scope.
class COldSnapshot {
 public:
  explicit COldSnapshot(CEffectContext& context);
  ~COldSnapshot();
  COldSnapshot(const COldSnapshot&) = delete;
  COldSnapshot& operator=(const COldSnapshot&) = delete;

 private:
  CDrawingSurface& surface_;
  bool taken_;
};

}  // namespace saver
