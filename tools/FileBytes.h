#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

namespace saver::tool {

using Bytes = std::vector<std::uint8_t>;

// Whole-file reading and writing with failures reported as ToolError naming the file.
Bytes ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes);
// Writes a new file beside `path` and renames it to `path` once it is complete, so that a failed
// or interrupted run leaves the earlier file or none, never a part of the new one.
void ReplaceFileBytes(const std::filesystem::path& path, const Bytes& bytes);

}  // namespace saver::tool
