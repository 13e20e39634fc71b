#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "effects/DrawingSurface.h"
#include "effects/HeldSpans.h"
#include "effects/Pacer.h"
#include "effects/PendingCopies.h"

namespace saver {

// A drawing surface made of pixel buffers, and the pacer that goes with it. It draws exactly what
// the GDI surface draws and records the waits, the copies and, on request, the frame shown at
// every wait, so that effects can be checked step by step (and a show rendered off screen). Its
// clock moves only by Sleep.
//
// Plain copies from one layer to another are held back until any other use of the layers (Pixels
// included), or a wait while frames are recorded: unrecorded waits show nothing to anyone, so the
// steps between them need not be drawn. Copies that all keep one shift between source and
// destination (an effect uncovering the new picture in place) are held as a bit per pixel (see
// CHeldSpans); any other mix in the order made (see CPendingCopies). A made picture (DrawMade) is
// held in the same way, the latest one only: it is made when somebody looks, and never when a
// later drawing covers it first (a fade's levels, a colour morph's passes).
class CMemorySurface final : public CDrawingSurface, public CPacer {
 public:
  struct WaitCall {
    int a;
    double d;
    std::size_t copies_before;  // entries of Copies() logged before this wait
  };
  struct CopyCall {
    Layer target;
    Rect destination;
    Layer source;
    Point source_origin;
    bool operator==(const CopyCall&) const = default;
  };

  CMemorySurface(CPixelBuffer screen, CPixelBuffer frame, CPixelBuffer picture);

  const CPixelBuffer& Pixels(Layer layer) const;
  CPixelBuffer& MutablePixels(Layer layer);

  // From now on, keep a copy of this screen area at every wait.
  void RecordFrames(const Rect& screen_area) { frame_area_ = screen_area; }
  // From now on, log every copy (off by default: benchmarks copy millions of blocks).
  void RecordCopies(bool on) { record_copies_ = on; }
  void RequestStop() { stop_ = true; }

  const std::vector<WaitCall>& Waits() const { return waits_; }
  const std::vector<CopyCall>& Copies() const { return copies_; }
  const std::vector<CPixelBuffer>& Frames() const { return frames_; }
  const std::vector<std::string>& Errors() const { return errors_; }
  int SnapshotsTaken() const { return snapshots_taken_; }
  bool SnapshotHeld() const { return !old_.IsEmpty(); }

  Size LayerSize(Layer layer) const override;
  void Stretch(Layer target, const Rect& destination, Layer source, const Rect& source_rect) override;
  void Fill(Layer target, const Rect& area, std::uint32_t colorref) override;
  bool Read(Layer source, const Rect& area, CPixelBuffer& out) override;
  bool TakeOld(const Rect& screen_area) override;
  void ReleaseOld() override;
  void ShowError(std::string_view text) override { errors_.emplace_back(text); }

  bool StopRequested() const override { return stop_; }
  void Sleep(std::uint32_t milliseconds) override { clock_ms_ += milliseconds; }
  void PacedWait(std::int32_t a, double d) override;
  std::uint32_t TickCount() const override { return clock_ms_; }

 protected:
  void CopyClipped(Layer target, const ClippedBlock& block, Layer source, std::uint32_t raster_op) override;
  void DrawClipped(Layer target, const ClippedBlock& block, const CPixelBuffer& pixels) override;
  void DrawMadeClipped(Layer target, const ClippedBlock& block, Size size, PixelMaker make) override;
  void CopyBlocksWithin(Layer target, Point offset, std::span<const Rect> blocks, Layer source, const Rect& bounds,
                        const Rect& readable) override;

 private:
  // Beyond this many runs held back, they are drawn before more are taken (a dissolve's cells
  // join nothing and would otherwise pile up for the whole effect).
  static constexpr std::size_t kMostRunsHeld = 1 << 16;

  CPixelBuffer& Buffer(Layer layer);
  const CPixelBuffer& Buffer(Layer layer) const;
  // Draws every held-back copy; const because the copies were made already as far as any
  // caller can tell.
  void DrawPending() const;
  // Forgets the held made picture when `area` of `target` covers it, before a drawing that
  // replaces what lies there without reading it.
  void DropMadeUnder(Layer target, const Rect& area);

  struct MadePicture {
    Layer target;
    ClippedBlock block;
    PixelMaker make;
  };

  CPixelBuffer screen_, frame_, picture_, old_;
  // At most one of the three holds anything: spans take copies only while no runs are held, and
  // are drawn before the first copy that they cannot take; a made picture is held alone.
  mutable std::optional<MadePicture> made_;
  mutable CHeldSpans spans_;
  mutable CPendingCopies pending_;  // all into one target, none reading it
  Rect frame_area_;
  bool record_copies_ = false;
  bool stop_ = false;
  std::uint32_t clock_ms_ = 0;
  int snapshots_taken_ = 0;
  std::vector<WaitCall> waits_;
  std::vector<CopyCall> copies_;
  std::vector<CPixelBuffer> frames_;
  std::vector<std::string> errors_;
};

}  // namespace saver
