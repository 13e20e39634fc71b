#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace saver::tool {

// What a photo's EXIF block says about how to show and order it.
struct ExifFields {
  int orientation = 1;     // 1 to 8 as the TIFF tag counts them; 1 (upright) when absent or invalid
  std::string date_taken;  // "YYYY:MM:DD HH:MM:SS" (sorts as text), empty when absent
};

// Reads the fields from the APP1 block of a JPEG file; anything without one gives the defaults.
ExifFields ReadExifFields(std::span<const std::uint8_t> jpeg);

}  // namespace saver::tool
