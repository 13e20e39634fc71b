#pragma once
// Renders an image item's text into the pixels of a CImageRGB, as the placement code then
// shows it like a picture.
#include <windows.h>

#include <optional>
#include <string_view>

#include "imaging/ImageRGB.h"
#include "imaging/Rect.h"

namespace saver {
class CImageItem;
}

namespace saver::win {

// The extent of a multi-line text in the font selected into `dc`: as wide as its widest
// line, as high as the number of lines times the height of "W". Lines end at a line feed,
// with a carriage return before it left out. Nothing for a text without width.
std::optional<Rect> MeasureTextLines(HDC dc, std::string_view text);

// Draws `text` (the item's own text when empty) in the item's font, colours and alignment
// into a bitmap 2% wider than the measured text, and takes its pixels as the image's decoded
// pixels. A text without a background of its own is drawn on kTextKeyColor. Sets the font's
// quality bits 3 in the item, where they stay.
bool RenderText(CImageRGB& image, CImageItem& item, std::string_view text);

}  // namespace saver::win
