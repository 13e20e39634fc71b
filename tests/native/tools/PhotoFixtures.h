#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/PixelBuffer.h"

namespace saver::tool::testing {

// Pictures for the slideshow's tests, made at test time.
// Four flat quadrants (red, green, blue, white from the top left, clockwise), so that a turn or
// a mirror shows in where each colour ends up.
CPixelBuffer Quadrants(int width, int height);
std::vector<std::uint8_t> JpegOf(const CPixelBuffer& pixels, int quality = 95);
std::vector<std::uint8_t> PngOf(const CPixelBuffer& pixels);
// The JPEG with an EXIF block (written by libexif) holding the orientation and, when given, the
// date taken ("YYYY:MM:DD HH:MM:SS").
std::vector<std::uint8_t> WithExif(const std::vector<std::uint8_t>& jpeg, int orientation, const std::string& date = {});

// The colour at the centre of each quadrant of a decoded picture, clockwise from the top left,
// as one letter each (r, g, b, w; ? for anything else).
std::string QuadrantColours(const CPixelBuffer& pixels);

}  // namespace saver::tool::testing
