#include "scene/win/TextRendering.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "base/win/ScopedWin.h"
#include "imaging/KeyedDraw.h"
#include "imaging/PictureLimits.h"
#include "imaging/win/ImageRGBDrawing.h"
#include "scene/ImageItem.h"

namespace saver::win {
namespace {

static_assert(sizeof(LOGFONTA) == std::tuple_size_v<FontDescription>, "the package stores a LOGFONTA");
constexpr std::size_t kQualityOffset = offsetof(LOGFONTA, lfQuality);
// Widening of the measured text: leaves room for the overhang of italic and bold glyphs.
constexpr double kWidening = 1.02;

std::optional<SIZE> Extent(HDC dc, std::string_view text) {
  SIZE size{};
  if (text.size() > INT_MAX || !GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size))
    return std::nullopt;
  return size;
}

}  // namespace

std::optional<Rect> MeasureTextLines(HDC dc, std::string_view text) {
  int lines = 1, widest = 0;
  std::size_t start = 0;
  auto measure_line = [&](std::size_t end) {
    auto size = Extent(dc, text.substr(start, end - start));
    if (size) widest = std::max(widest, static_cast<int>(size->cx));
    return size.has_value();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n') continue;
    ++lines;
    // Only a real carriage return is left out: a bare line feed keeps the line's last
    // character, and a line feed at the very start measures an empty line.
    const std::size_t end = i > start && text[i - 1] == '\r' ? i - 1 : i;
    if (!measure_line(end)) return std::nullopt;
    start = i + 1;
  }
  if (!measure_line(text.size())) return std::nullopt;
  auto w = Extent(dc, "W");
  if (!w || widest == 0) return std::nullopt;
  return Rect{0, 0, widest, static_cast<int>(w->cy) * lines};
}

bool RenderText(CImageRGB& image, CImageItem& item, std::string_view text) {
  ScopedMemoryDC memory(CreateCompatibleDC(nullptr));
  if (!memory) return false;
  if (text.empty()) text = item.text;

  item.font[kQualityOffset] |= 3;
  LOGFONTA description;
  std::memcpy(&description, item.font.data(), sizeof description);
  description.lfFaceName[LF_FACESIZE - 1] = '\0';  // the package's face name may be unterminated
  ScopedFont font(CreateFontIndirectA(&description));
  if (!font) return false;
  CScopedSelect select_font(memory.Get(), font.Get());

  std::optional<Rect> rect = MeasureTextLines(memory.Get(), text);
  if (!rect) return false;
  rect->right = static_cast<int>(rect->right * kWidening);
  if (!IsAcceptedPictureSize(rect->Width(), rect->Height())) return false;

  CScopedWindowDC screen(nullptr);
  ScopedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), rect->Width(), rect->Height()));
  if (!bitmap) return false;
  {
    CScopedSelect select_bitmap(memory.Get(), bitmap.Get());
    const COLORREF background = item.opaque ? item.background_colour : kTextKeyColor;
    ScopedBrush brush(CreateSolidBrush(background));
    RECT area{rect->left, rect->top, rect->right, rect->bottom};
    FillRect(memory.Get(), &area, brush.Get());
    SetBkColor(memory.Get(), background);
    SetTextColor(memory.Get(), item.text_colour);
    SetBkMode(memory.Get(), item.opaque ? OPAQUE : TRANSPARENT);
    DrawTextA(memory.Get(), text.data(), static_cast<int>(text.size()), &area, item.text_format);
  }
  return LoadFromBitmap(image, bitmap.Get(), memory.Get());
}

}  // namespace saver::win
