#pragma once
// A memory DC with a 32-bit top-down DIB section selected, whose pixels are reachable directly:
// an off-screen screen for tests, benchmarks and rendering a show without a window.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "base/win/ScopedWin.h"
#include "imaging/PixelBuffer.h"
#include "imaging/Rect.h"

namespace saver::win {

class CDibCanvas {
 public:
  // Starts with a copy of `pixels` (and their size).
  explicit CDibCanvas(const CPixelBuffer& pixels);
  CDibCanvas(const CDibCanvas&) = delete;
  CDibCanvas& operator=(const CDibCanvas&) = delete;

  bool Valid() const { return bitmap_ && dc_ && bits_; }
  HDC Dc() const { return dc_.Get(); }
  // The pixels of an area inside the canvas, after GDI has finished drawing.
  CPixelBuffer Read(const Rect& area) const;

 private:
  std::uint32_t* Row(int y) const;

  int width_, height_;
  void* bits_ = nullptr;
  ScopedBitmap bitmap_;
  ScopedMemoryDC dc_;
  std::optional<CScopedSelect> selection_;
};

}  // namespace saver::win
