#include "desktop/win/DesktopCapture.h"

#include <windows.h>

#include "base/win/ScopedWin.h"
#include "desktop/win/FileBytes.h"
#include "imaging/PictureWriters.h"
#include "imaging/win/DeviceBitmaps.h"

namespace saver::win {

bool CaptureDesktop(const std::wstring& output) {
  const HWND desktop = GetDesktopWindow();
  RECT bounds{};
  if (!GetWindowRect(desktop, &bounds)) return false;
  CScopedWindowDC screen(desktop);
  if (!screen) return false;
  // Read-back converts any display depth, palettes included, to 24-bit pixels.
  const auto pixels =
      DcRectToPixels(screen.Get(), Rect::FromSize(0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top));
  if (!pixels) return false;
  return WriteFileBytes(output, EncodeBmp(*pixels));
}

}  // namespace saver::win
