#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace saver {

// What Windows asks of a screen saver through its first command-line argument.
enum class SaverMode {
  SettingsWithoutOwner,  // no argument at all
  Settings,              // c: owned by the foreground window
  Preview,               // p <hwnd>
  Run,                   // s
  ChangePassword,        // a <hwnd>
  None,                  // anything else: the process ends quietly
};

// Only the first two characters count: a leading '-' or '/' is skipped and the rest compared with
// the letter whole, ignoring case. So "/sx" runs the show, "sx" does nothing, "/c:1234" is "c".
SaverMode ModeFromArgument(std::optional<std::string_view> argument);

// The text that carries the window handle of modes p and a: the second argument when there is one,
// else what follows a colon right after the switch letter, as launchers send it ("/p:1234"). The
// result views `second` or the end of `first`. Works on narrow and wide command lines alike.
template <typename Char>
std::optional<std::basic_string_view<Char>> HandleText(std::optional<std::basic_string_view<Char>> first,
                                                       std::optional<std::basic_string_view<Char>> second) {
  if (second || !first) return second;
  std::basic_string_view<Char> rest = *first;
  if (!rest.empty() && (rest.front() == Char('-') || rest.front() == Char('/'))) rest.remove_prefix(1);
  if (rest.size() < 2 || rest[1] != Char(':')) return std::nullopt;
  return rest.substr(2);
}

// The window handle of modes p and a: a decimal number that must be present and nonzero. Anything
// else (missing, zero, not a number, too large for a handle) gives no handle.
std::optional<std::uintptr_t> WindowHandleFromArgument(std::optional<std::string_view> argument);

}  // namespace saver
