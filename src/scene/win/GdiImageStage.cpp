#include "scene/win/GdiImageStage.h"

#include <shellapi.h>

#include <memory>
#include <optional>
#include <utility>

#include "base/OperatingSystemClass.h"
#include "base/win/ScopedWin.h"
#include "base/win/TextConversion.h"
#include "imaging/ImageRGB.h"
#include "imaging/win/DeviceBitmaps.h"
#include "scene/ImageItem.h"
#include "scene/win/TextRendering.h"

namespace saver::win {
namespace {

int QueryOperatingSystemClass() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExW(&info)) return ClassifyOperatingSystem(std::nullopt);
  return ClassifyOperatingSystem(SystemVersion{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion});
}

ScreenMetrics MeasureScreen(HDC dc) {
  return {{GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)},
          {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}};
}

// A memory DC holding `pixels` as a device bitmap; both owners empty for an empty buffer, which
// leaves the layer out of the surface.
struct LayerDC {
  LayerDC(const CPixelBuffer& pixels, HDC screen) {
    if (pixels.IsEmpty()) return;
    bitmap = PixelsToDeviceBitmap(pixels, screen);
    dc = ScopedMemoryDC(CreateCompatibleDC(screen));
    if (bitmap && dc) selection = std::make_unique<CScopedSelect>(dc.Get(), bitmap.Get());
  }
  HDC Get() const { return selection ? dc.Get() : nullptr; }

  // Declared so that the selection is undone before the bitmap and the DC are deleted.
  ScopedMemoryDC dc;
  ScopedBitmap bitmap;
  std::unique_ptr<CScopedSelect> selection;
};

}  // namespace

CGdiCanvas::CGdiCanvas(HDC dc, Size size) : dc_(dc), size_(size), screen_(dc, size, nullptr, nullptr) {}

void CGdiCanvas::Fill(const Rect& area, std::uint32_t colour) { screen_.Fill(Layer::Screen, area, colour); }

bool CGdiCanvas::Read(const Rect& area, CPixelBuffer& out) {
  if (area.IsEmpty()) {
    out = {};
    return true;
  }
  return screen_.Read(Layer::Screen, area, out);
}

void CGdiCanvas::Draw(Point at, const CPixelBuffer& pixels) {
  screen_.Draw(Layer::Screen, at, pixels, Rect::FromSize(0, 0, pixels.Width(), pixels.Height()));
}

void CGdiCanvas::DrawLine(Point from, Point to, const LinePen& pen) {
  ScopedPen gdi_pen(CreatePen(static_cast<int>(pen.style), static_cast<int>(pen.width), pen.colour));
  if (!gdi_pen) return;
  CScopedSelect selection(dc_, gdi_pen.Get());
  MoveToEx(dc_, from.x, from.y, nullptr);
  LineTo(dc_, to.x, to.y);
}

void CGdiCanvas::WithSurface(const CPixelBuffer& frame, const CPixelBuffer& picture, CPacer& pacer,
                             const SurfaceWork& work) {
  const LayerDC frame_dc(frame, dc_);
  const LayerDC picture_dc(picture, dc_);
  CGdiSurface surface(dc_, size_, frame_dc.Get(), picture_dc.Get());
  work(surface, pacer);
}

CGdiImageStage::CGdiImageStage(HDC screen, std::function<std::uint32_t()> window_background, Files files,
                               CMessageSink& messages)
    : metrics_(MeasureScreen(screen)),
      canvas_(screen, metrics_.device),
      window_background_(std::move(window_background)),
      files_(std::move(files)),
      messages_(messages),
      operating_system_class_(QueryOperatingSystemClass()) {}

std::optional<CPixelBuffer> CGdiImageStage::RenderText(CImageItem& item, std::string_view text) {
  CImageRGB rendered;
  if (!win::RenderText(rendered, item, text) || rendered.Decoded() == nullptr) return std::nullopt;
  return *rendered.Decoded();
}

std::string CGdiImageStage::SnapshotPath(std::uint32_t source_mode) const {
  if (source_mode == CImageItem::kSourceDesktop) return files_.desktop_snapshot;
  if (source_mode == CImageItem::kSourceWallpaper) return files_.wallpaper;
  return {};
}

// The path is UTF-8; the name becomes item text, which is in the system's ANSI code page.
std::string CGdiImageStage::DisplayName(const std::string& path) const {
  SHFILEINFOW info{};
  if (SHGetFileInfoW(WideFromUtf8(path).c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME) == 0)
    return AnsiFromWide(WideFromUtf8(path));
  return AnsiFromWide(info.szDisplayName);
}

}  // namespace saver::win
