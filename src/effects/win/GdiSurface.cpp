#include "effects/win/GdiSurface.h"


#include "base/win/TextConversion.h"
#include "effects/BlockClip.h"
#include "imaging/win/Dib32.h"

namespace saver::win {
namespace {

Rect Bounds(Size size) { return Rect::FromSize(0, 0, size.width, size.height); }

Size SelectedBitmapSize(HDC dc) {
  BITMAP bitmap{};
  if (!dc || !GetObjectW(GetCurrentObject(dc, OBJ_BITMAP), sizeof bitmap, &bitmap)) return {};
  return {bitmap.bmWidth, bitmap.bmHeight};
}

}  // namespace

CGdiSurface::CGdiSurface(HDC screen, Size screen_size, HDC frame, HDC picture)
    : screen_(screen),
      frame_(frame),
      picture_(picture),
      screen_size_(screen_size),
      frame_size_(SelectedBitmapSize(frame)),
      picture_size_(SelectedBitmapSize(picture)) {}

HDC CGdiSurface::Dc(Layer layer) const {
  switch (layer) {
    case Layer::Screen: return screen_;
    case Layer::New: return frame_;
    case Layer::Old: return old_dc_.Get();
    case Layer::Picture: break;
  }
  return picture_;
}

Size CGdiSurface::LayerSize(Layer layer) const {
  switch (layer) {
    case Layer::Screen: return screen_size_;
    case Layer::New: return frame_size_;
    case Layer::Old: return old_size_;
    case Layer::Picture: break;
  }
  return picture_size_;
}

void CGdiSurface::CopyClipped(Layer target, const ClippedBlock& block, Layer source, std::uint32_t raster_op) {
  const Rect& d = block.destination;
  BitBlt(Dc(target), d.left, d.top, d.Width(), d.Height(), Dc(source), block.source.x, block.source.y, raster_op);
}

void CGdiSurface::Stretch(Layer target, const Rect& destination, Layer source, const Rect& source_rect) {
  HDC dc = Dc(target);
  // Whole pixels, no blending of neighbours: the same result as the memory surface.
  const int previous_mode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, destination.left, destination.top, destination.Width(), destination.Height(), Dc(source),
             source_rect.left, source_rect.top, source_rect.Width(), source_rect.Height(), SRCCOPY);
  if (previous_mode) SetStretchBltMode(dc, previous_mode);
}

void CGdiSurface::Fill(Layer target, const Rect& area, std::uint32_t colorref) {
  ScopedBrush brush(CreateSolidBrush(colorref));
  const RECT rect{area.left, area.top, area.right, area.bottom};
  if (brush) FillRect(Dc(target), &rect, brush.Get());
}

bool CGdiSurface::Read(Layer source, const Rect& area, CPixelBuffer& out) {
  if (area.IsEmpty() || !Dc(source)) return false;
  const int width = area.Width(), height = area.Height();
  BITMAPINFO info = Dib32TopDownInfo(width, height);
  void* bits = nullptr;
  ScopedBitmap dib(CreateDIBSection(screen_, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  ScopedMemoryDC dc(CreateCompatibleDC(screen_));
  if (!dib || !dc || !bits) return false;
  CScopedSelect selection(dc.Get(), dib.Get());
  // A fresh DIB section is black; only the part that lies on the layer is read.
  const auto block = ClipBlock(Bounds({width, height}), {area.left, area.top}, Bounds({width, height}),
                               Bounds(LayerSize(source)));
  if (block && !BitBlt(dc.Get(), block->destination.left, block->destination.top, block->destination.Width(),
                       block->destination.Height(), Dc(source), block->source.x, block->source.y, SRCCOPY)) {
    return false;
  }
  GdiFlush();
  out = CPixelBuffer(width, height);
  const auto* words = static_cast<const std::uint32_t*>(bits);
  for (int y = 0; y < height; ++y) Dib32ToRgb(out.Row(y), words + static_cast<std::size_t>(y) * width, width);
  return true;
}

void CGdiSurface::DrawClipped(Layer target, const ClippedBlock& block, const CPixelBuffer& pixels) {
  const int width = block.destination.Width(), height = block.destination.Height();
  // The words are kept between frames: a transition draws the same size many times.
  draw_words_.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    RgbToDib32(draw_words_.data() + static_cast<std::size_t>(y) * width,
               pixels.Row(block.source.y + y) + block.source.x * 3, width);
  }
  BITMAPINFO info = Dib32TopDownInfo(width, height);
  SetDIBitsToDevice(Dc(target), block.destination.left, block.destination.top, width, height, 0, 0, 0,
                    height, draw_words_.data(), &info, DIB_RGB_COLORS);
}

bool CGdiSurface::TakeOld(const Rect& screen_area) {
  ReleaseOld();
  if (screen_area.IsEmpty()) return false;
  const int width = screen_area.Width(), height = screen_area.Height();
  ScopedMemoryDC dc(CreateCompatibleDC(screen_));
  ScopedBitmap bitmap(CreateCompatibleBitmap(screen_, width, height));
  if (!dc || !bitmap) return false;
  old_dc_ = std::move(dc);
  old_bitmap_ = std::move(bitmap);
  old_selection_.emplace(old_dc_.Get(), old_bitmap_.Get());
  old_size_ = {width, height};
  // Parts of the area off the screen read as black, as in the memory surface.
  PatBlt(old_dc_.Get(), 0, 0, width, height, BLACKNESS);
  if (const auto block = ClipBlock(Bounds(old_size_), {screen_area.left, screen_area.top}, Bounds(old_size_),
                                   Bounds(screen_size_))) {
    BitBlt(old_dc_.Get(), block->destination.left, block->destination.top, block->destination.Width(),
           block->destination.Height(), screen_, block->source.x, block->source.y, SRCCOPY);
  }
  return true;
}

void CGdiSurface::ReleaseOld() {
  old_selection_.reset();
  old_bitmap_.Reset();
  old_dc_.Reset();
  old_size_ = {};
}

void CGdiSurface::ShowError(std::string_view text) { MessageBoxW(nullptr, WideFromAnsi(text).c_str(), L"", MB_OK); }

}  // namespace saver::win
