#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace saver::tool {

// Turns a JPEG upright by its EXIF orientation (2 to 8) without decoding it: libjpeg-turbo's
// transform moves the coded blocks. Edge blocks that a turn would leave partial are trimmed (at
// most 15 pixels of one or two edges, as jpegtran -trim does). No marker is copied, so the EXIF
// block with its orientation tag is left behind. Nothing when the data cannot be transformed.
std::optional<std::vector<std::uint8_t>> TurnJpegLosslessly(std::span<const std::uint8_t> jpeg, int orientation);

}  // namespace saver::tool
