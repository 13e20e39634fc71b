#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/PixelBuffer.h"

namespace saver {

// A 24-bit uncompressed BMP file (bottom-up rows). Empty for an empty buffer.
std::vector<std::uint8_t> EncodeBmp(const CPixelBuffer& pixels);

// A baseline JPEG file; `quality` 1 (smallest) to 100 (best), clamped to that range.
std::optional<std::vector<std::uint8_t>> EncodeJpeg(const CPixelBuffer& pixels, int quality);

}  // namespace saver
