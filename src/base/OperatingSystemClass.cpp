#include "base/OperatingSystemClass.h"

namespace saver {
namespace {

constexpr std::uint32_t kPlatformWindows95 = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr std::uint32_t kPlatformNt = 2;         // VER_PLATFORM_WIN32_NT

}  // namespace

int ClassifyOperatingSystem(const std::optional<SystemVersion>& version) {
  if (!version) return 0;
  const auto [platform, major, minor] = *version;
  if (platform == kPlatformWindows95) {
    if (major == 4 && minor == 0) return 1;
    if (major >= 4) return 2;  // 4.10 and 4.90, or later
    return 0;
  }
  if (platform == kPlatformNt) {
    if (major <= 4) return 3;
    if (major == 5) return 4;
  }
  return 0;
}

}  // namespace saver
