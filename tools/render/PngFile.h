#pragma once
#include <cstdint>
#include <vector>

#include "imaging/PixelBuffer.h"

namespace saver::tool {

// A PNG file of 8-bit RGB pixels. Compressed lightly: a rendering writes hundreds of frames and
// speed matters more than a few percent of size. Empty for an empty buffer.
std::vector<std::uint8_t> EncodePng(const CPixelBuffer& pixels);

}  // namespace saver::tool
