#pragma once
#include <cstdint>
#include <optional>

namespace saver {

// What the system version query reported (the OSVERSIONINFO fields that matter).
struct SystemVersion {
  std::uint32_t platform = 0;  // 1 Windows 95 family, 2 NT family
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
};

// The small class that link opening and picture placement go by:
// 0 anything else (also NT above 5 and a failed query), 1 Windows 95 (4.0),
// 2 later Windows 95 family (98, Me), 3 NT 4 and older, 4 Windows 2000 and XP (NT 5).
int ClassifyOperatingSystem(const std::optional<SystemVersion>& version);

}  // namespace saver
