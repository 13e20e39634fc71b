#pragma once
#include <cstdint>
#include <optional>

#include "imaging/PixelBuffer.h"

namespace saver {

// Every reader refuses pictures beyond these, whatever the header claims: 32767 pixels a side
// (the largest a 16-bit format can state, and far beyond any screen) and 64 megapixels, which
// is 192 MiB of 24-bit pixels. Everything a picture can hold fits in the size arithmetic then.
inline constexpr std::int64_t kMaxPictureSide = 32767;
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 26;

bool IsAcceptedPictureSize(std::int64_t width, std::int64_t height);

// A zero-filled buffer of that size, or nothing when the size is refused or memory is short.
std::optional<PixelBuffer> AllocatePicture(std::int64_t width, std::int64_t height);

}  // namespace saver
