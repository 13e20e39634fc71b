#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

namespace saver::tool {

using Bytes = std::vector<std::uint8_t>;

// Whole-file reading and writing with failures reported as CToolError naming the file.
Bytes ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes);

}  // namespace saver::tool
