#pragma once
// Reading the desktop and wallpaper snapshot files, whose paths lie in the user's temporary folder
// and so may hold any character: the paths are UTF-8, opened through the wide-character API on
// Windows.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace saver {

// Larger snapshot files are refused rather than read: no screen picture comes near it.
inline constexpr long kMaxSnapshotBytes = 512L << 20;

// The whole file in one read, or nothing when it cannot be opened or read to its end, is larger
// than kMaxSnapshotBytes, or its path is not valid UTF-8.
std::optional<std::vector<std::uint8_t>> ReadSnapshotFile(const std::string& utf8_path);

// UTF-16 code units of valid UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF);
// nothing for anything else.
std::optional<std::u16string> Utf16FromUtf8(std::string_view text);

}  // namespace saver
