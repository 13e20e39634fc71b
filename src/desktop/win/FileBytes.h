#pragma once
// Whole-file reads and writes for the desktop pictures, with plain true/false results.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace saver::win {

// Creates or replaces the file with exactly these bytes.
bool WriteFileBytes(const std::wstring& path, std::span<const std::uint8_t> bytes);

// The file's bytes; nothing when it cannot be opened or is larger than `max_bytes`.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::wstring& path, std::uint64_t max_bytes);

// True when `path` names an existing file: it opens without access rights, shared for reading.
bool FileExists(const std::wstring& path);

}  // namespace saver::win
