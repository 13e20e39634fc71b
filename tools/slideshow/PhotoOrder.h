#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace saver::tool {

// The files the command line names: each file as given, each folder's files and those of its
// folders below, in no particular order. A name that is neither fails with a CToolError.
std::vector<std::filesystem::path> CollectFiles(const std::vector<std::string>& inputs);

// Natural order of names: runs of digits compare by their value (IMG_2 before IMG_10), letters
// without regard to case; names equal that way fall back to their bytes.
bool NaturalLess(const std::string& left, const std::string& right);
void SortByName(std::vector<std::filesystem::path>& files);

// By the EXIF date taken of each photo, else its file's time, in UTC; natural order among equals.
void SortByDate(std::vector<std::filesystem::path>& files);

// A random order; the same seed gives the same order on every platform.
void Shuffle(std::vector<std::filesystem::path>& files, std::uint32_t seed);

}  // namespace saver::tool
