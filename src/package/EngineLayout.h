#pragma once
#include <cstdint>

// Where the scene package lies in a saver file. The engine image is padded to exactly this size
// (the build reads the number from this line and fails when the image is larger), the package
// follows it, and the file's last byte is the exit-button flag.
namespace saver {
inline constexpr std::uint32_t kPackageOffset = 1572864;  // 1.5 MiB

// Saver files of the older engine carry their package here.
inline constexpr std::uint32_t kLegacyPackageOffset = 819200;
}  // namespace saver
