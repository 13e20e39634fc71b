#pragma once
#include <string_view>

namespace saver {

// The per-saver settings store: named 32-bit integers grouped in sections. On Windows it is the
// registry key HKEY_CURRENT_USER\Software\<profile key>\<display name>; tests use a map.
class CProfile {
 public:
  virtual ~CProfile() = default;
  virtual int GetInt(std::string_view section, std::string_view name, int default_value) const = 0;
  virtual void WriteInt(std::string_view section, std::string_view name, int value) = 0;
};

}  // namespace saver
