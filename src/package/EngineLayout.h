#pragma once
#include <cstdint>

// Where the scene package lies in a saver file. The engine image is padded to exactly this size
// (the build reads the number from this line and fails when the image is larger), the package
// follows it, and the file's last byte is the exit-button flag. Static libjpeg-turbo, libpng, zlib
// and the C++ runtime alone take about 830 KB; with the show, the transitions and the codecs both
// images already came within 25 KB of 1.5 MiB, so both builds use 2 MiB.
namespace saver {
inline constexpr std::uint32_t kPackageOffset = 2097152;  // 2 MiB

// Saver files of the older engine carry their package here.
inline constexpr std::uint32_t kLegacyPackageOffset = 819200;
}  // namespace saver
