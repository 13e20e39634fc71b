#pragma once
// A memory DC holding a bitmap compatible with the display, as the engine's frame and picture
// DCs are, filled from a pixel buffer: one layer of a GDI surface in tests and benchmarks.
#include <windows.h>

#include <optional>

#include "base/win/ScopedWin.h"
#include "effects/win/GdiSurface.h"

namespace saver::testing {

// Pacing that does nothing but keep time: for surfaces that only load or read pixels.
class IdlePacer : public Pacer {
 public:
  void PacedWait(int, double) override {}
  bool StopRequested() override { return false; }
  std::uint32_t TickCount() override { return GetTickCount(); }
  void Sleep(int milliseconds) override { ::Sleep(milliseconds); }
};

class DisplayBitmap {
 public:
  explicit DisplayBitmap(const PixelBuffer& pixels) : size_{pixels.Width(), pixels.Height()} {
    win::ScopedWindowDC display(nullptr);
    dc_ = win::ScopedMemoryDC(CreateCompatibleDC(display.Get()));
    bitmap_ = win::ScopedBitmap(CreateCompatibleBitmap(display.Get(), size_.width, size_.height));
    if (!dc_ || !bitmap_) return;
    selection_.emplace(dc_.Get(), bitmap_.Get());
    IdlePacer pacer;
    win::GdiSurface loader(dc_.Get(), size_, nullptr, nullptr, pacer);
    loader.Draw(Layer::Screen, {0, 0}, pixels, Rect::FromSize(0, 0, size_.width, size_.height));
  }

  HDC Dc() const { return dc_.Get(); }
  Size GetSize() const { return size_; }
  bool Valid() const { return dc_ && bitmap_; }

  PixelBuffer Pixels() const {
    IdlePacer pacer;
    win::GdiSurface reader(dc_.Get(), size_, nullptr, nullptr, pacer);
    PixelBuffer out;
    reader.Read(Layer::Screen, Rect::FromSize(0, 0, size_.width, size_.height), out);
    return out;
  }

 private:
  Size size_;
  // Reverse order of release: the selection is undone before the bitmap and the DC go.
  win::ScopedMemoryDC dc_;
  win::ScopedBitmap bitmap_;
  std::optional<win::ScopedSelect> selection_;
};

}  // namespace saver::testing
