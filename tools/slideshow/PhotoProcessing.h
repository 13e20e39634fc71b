#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "imaging/Rect.h"

namespace saver::tool {

struct PhotoSettings {
  Size max_size{3840, 2160};  // larger photos are reduced to fit within it
  int quality = 90;           // of the JPEG a reduced photo is encoded as
};

enum class PhotoTreatment {
  Kept,      // byte for byte
  Turned,    // a JPEG turned upright losslessly
  Reduced,   // decoded, turned upright where needed, reduced and encoded as JPEG
};

// A photo made ready for the show: upright, within the size, readable by the engine.
struct ProcessedPhoto {
  std::vector<std::uint8_t> bytes;
  std::string extension;  // of the format `bytes` hold: ".jpg", ".png", ".bmp", ".pcx", ".tga"
  Size size;              // upright, as the engine will measure it
  PhotoTreatment treatment = PhotoTreatment::Kept;
};

// The photo, or why it cannot be shown.
struct PhotoOutcome {
  std::optional<ProcessedPhoto> photo;
  std::string skip_reason;
};

// Prepares one photo file (JPEG, PNG, BMP, PCX or TGA, recognised by content). A JPEG with an
// EXIF orientation is turned upright: losslessly when it keeps its size, else while it is
// reduced. A photo larger than the maximum size is reduced by area averaging and encoded as JPEG;
// an upright JPEG within the size, and any other picture within it, is kept byte for byte. What
// the engine would refuse to show is refused here, with the reason.
PhotoOutcome ProcessPhoto(std::span<const std::uint8_t> file, const PhotoSettings& settings);

}  // namespace saver::tool
