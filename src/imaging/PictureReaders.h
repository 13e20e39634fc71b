#pragma once
#include <cstdint>
#include <optional>
#include <span>

#include "imaging/PictureRefusal.h"
#include "imaging/PixelBuffer.h"
#include "imaging/Rect.h"

namespace saver {

// Readers of the formats the engine shows. Each takes the whole file in memory, treats it as
// hostile and returns 24-bit top-down pixels, or nothing for damaged, unsupported or oversized
// pictures (see PictureLimits.h). Transparency is flattened onto black. `refusal`, when given,
// says why a picture was refused: its size and the limit for a picture too large to be held,
// judged from the header alone, or a short account of damaged or unsupported data after the
// format's name ("BMP decoder: the pixel data is cut short"; libpng's and libjpeg's own words).
std::optional<CPixelBuffer> ReadBmp(std::span<const std::uint8_t> data, PictureRefusal* refusal = nullptr);
std::optional<CPixelBuffer> ReadPcx(std::span<const std::uint8_t> data, PictureRefusal* refusal = nullptr);
std::optional<CPixelBuffer> ReadTga(std::span<const std::uint8_t> data, PictureRefusal* refusal = nullptr);
std::optional<CPixelBuffer> ReadPng(std::span<const std::uint8_t> data, PictureRefusal* refusal = nullptr);
std::optional<CPixelBuffer> ReadJpeg(std::span<const std::uint8_t> data, PictureRefusal* refusal = nullptr);

}  // namespace saver
