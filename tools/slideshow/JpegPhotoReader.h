#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "imaging/PixelBuffer.h"
#include "imaging/Rect.h"

namespace saver::tool {

// A JPEG photo's stored size from its header, or nothing (with libjpeg's reason) when the header
// cannot be read.
struct JpegHeader {
  Size size;
  bool rgb_output = false;  // grey or YCbCr: libjpeg can hand RGB rows (not CMYK or YCCK)
};
std::optional<JpegHeader> ReadJpegHeader(std::span<const std::uint8_t> data, std::string& reason);

// Decodes a JPEG at the smallest of libjpeg's scales (1/8 to 8/8) that still covers `target`,
// and reduces it to `target` by area averaging row by row as it decodes: the full-size pixels
// are never held. CMYK and YCCK files are refused (the engine's own reader converts those).
// Any damage in the data, warnings included, fails with libjpeg's reason.
std::optional<CPixelBuffer> DecodeJpegReduced(std::span<const std::uint8_t> data, Size target, std::string& reason);

}  // namespace saver::tool
