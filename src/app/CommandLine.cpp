#include "app/CommandLine.h"

#include <charconv>

namespace saver {

SaverMode ModeFromArgument(std::optional<std::string_view> argument) {
  if (!argument) return SaverMode::SettingsWithoutOwner;
  std::string_view letters = argument->substr(0, 2);
  if (!letters.empty() && (letters.front() == '-' || letters.front() == '/')) letters.remove_prefix(1);
  if (letters.size() != 1) return SaverMode::None;
  switch (letters.front()) {
    case 'c': case 'C': return SaverMode::Settings;
    case 'p': case 'P': return SaverMode::Preview;
    case 's': case 'S': return SaverMode::Run;
    case 'a': case 'A': return SaverMode::ChangePassword;
    default: return SaverMode::None;
  }
}

std::optional<std::uintptr_t> WindowHandleFromArgument(std::optional<std::string_view> argument) {
  if (!argument || argument->empty()) return std::nullopt;
  std::uintptr_t handle = 0;
  const char* end = argument->data() + argument->size();
  auto [stop, error] = std::from_chars(argument->data(), end, handle);
  if (error != std::errc() || stop != end || handle == 0) return std::nullopt;
  return handle;
}

}  // namespace saver
