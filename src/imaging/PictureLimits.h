#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "imaging/PictureRefusal.h"
#include "imaging/PixelBuffer.h"
#include "imaging/Rect.h"

namespace saver {

// A picture is limited by what must be held decoded, not by its file's size.
//
// Held whole (a picture shown at its own size, every format but a JPEG fitted or resized to a
// smaller target): 32767 pixels a side (the largest a 16-bit format can state, and far beyond
// any screen) and 64 megapixels, which is 192 MiB of 24-bit pixels. Everything a picture can hold
// fits in the size arithmetic then.
inline constexpr std::int64_t kMaxPictureSide = 32767;
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 26;
inline constexpr std::string_view kHeldPictureLimit =
    "64 megapixels and 32767 pixels a side for a picture shown at its own size";

// A JPEG fitted or resized to a smaller target is decoded scaled, row by row into the resampler,
// and never held whole: any size libjpeg decodes (65500 pixels a side). A file of several scans
// (progressive) needs libjpeg's coefficient buffer of the whole picture (2 bytes per sample);
// that must fit comfortably in a 32-bit process's address space.
inline constexpr std::int64_t kMaxJpegSide = 65500;
inline constexpr std::string_view kJpegSideLimit = "65500 pixels a side for a JPEG picture";
inline constexpr std::int64_t kMaxJpegCoefficientBytes = std::int64_t{512} << 20;

bool IsAcceptedPictureSize(std::int64_t width, std::int64_t height);

// Whether a picture of that size can be held whole. A picture too large for it sets `refusal`,
// when given, to the refusal naming its size and the limit; sides of zero or less are refused
// without a reason (the header is damaged).
bool CanHoldPicture(std::int64_t width, std::int64_t height, PictureRefusal* refusal);

// The first message about a picture refused for its size: its size and the limit it passes.
PictureRefusal TooLargeRefusal(Size size, std::string_view limit);

// A zero-filled buffer of that size, or nothing when the size is refused or memory is short.
std::optional<CPixelBuffer> AllocatePicture(std::int64_t width, std::int64_t height);

}  // namespace saver
