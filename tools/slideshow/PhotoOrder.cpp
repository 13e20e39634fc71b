#include "slideshow/PhotoOrder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <random>
#include <system_error>

#include "ToolError.h"
#include "slideshow/ExifFields.h"

namespace saver::tool {
namespace {

namespace fs = std::filesystem;

// The EXIF block sits in the first segments of a JPEG file; 256 KiB holds it with its thumbnail.
constexpr std::size_t kExifReach = 256 * 1024;

std::string NameText(const fs::path& path) {
  const std::u8string text = path.generic_u8string();
  return {text.begin(), text.end()};
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// -1, 0 or 1 for a run of digits starting at each position (both start with a digit); moves
// both positions past their runs.
int CompareNumbers(const std::string& left, std::size_t& i, const std::string& right, std::size_t& j) {
  while (i < left.size() && left[i] == '0') ++i;
  while (j < right.size() && right[j] == '0') ++j;
  const std::size_t left_start = i, right_start = j;
  while (i < left.size() && IsDigit(left[i])) ++i;
  while (j < right.size() && IsDigit(right[j])) ++j;
  const std::size_t left_length = i - left_start, right_length = j - right_start;
  if (left_length != right_length) return left_length < right_length ? -1 : 1;
  const int order = left.compare(left_start, left_length, right, right_start, right_length);
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

std::string TimeText(std::time_t time) {
  std::tm parts{};
#ifdef _WIN32
  gmtime_s(&parts, &time);
#else
  gmtime_r(&time, &parts);
#endif
  char text[32];
  std::strftime(text, sizeof text, "%Y:%m:%d %H:%M:%S", &parts);
  return text;
}

std::string DateKey(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::uint8_t> head(kExifReach);
  in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  std::string date = ReadExifFields(head).date_taken;
  if (!date.empty()) return date;
  std::error_code error;
  const fs::file_time_type written = fs::last_write_time(file, error);
  if (error) return {};
  const auto system_time = std::chrono::file_clock::to_sys(written);
  return TimeText(std::chrono::system_clock::to_time_t(system_time));
}

}  // namespace

std::vector<fs::path> CollectFiles(const std::vector<std::string>& inputs) {
  std::vector<fs::path> files;
  for (const std::string& input : inputs) {
    const fs::path path = fs::u8path(input);
    std::error_code error;
    if (fs::is_directory(path, error)) {
      for (fs::recursive_directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file(error)) files.push_back(it->path());
      }
      if (error) throw CToolError(input + ": cannot read the folder (" + error.message() + ")");
    } else if (fs::is_regular_file(path, error)) {
      files.push_back(path);
    } else {
      throw CToolError(input + ": no such file or folder");
    }
  }
  return files;
}

bool NaturalLess(const std::string& left, const std::string& right) {
  std::size_t i = 0, j = 0;
  while (i < left.size() && j < right.size()) {
    if (IsDigit(left[i]) && IsDigit(right[j])) {
      const int order = CompareNumbers(left, i, right, j);
      if (order != 0) return order < 0;
      continue;
    }
    if (Lower(left[i]) != Lower(right[j])) return Lower(left[i]) < Lower(right[j]);
    ++i;
    ++j;
  }
  if (i < left.size() || j < right.size()) return j < right.size();
  return left < right;
}

void SortByName(std::vector<fs::path>& files) {
  std::stable_sort(files.begin(), files.end(),
                   [](const fs::path& a, const fs::path& b) { return NaturalLess(NameText(a), NameText(b)); });
}

void SortByDate(std::vector<fs::path>& files) {
  SortByName(files);
  std::vector<std::pair<std::string, fs::path>> keyed;
  for (const fs::path& file : files) keyed.emplace_back(DateKey(file), file);
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i < files.size(); ++i) files[i] = keyed[i].second;
}

void Shuffle(std::vector<fs::path>& files, std::uint32_t seed) {
  // Fisher-Yates over mt19937, whose sequence the standard fixes (std::shuffle's use of it is
  // the library's own).
  std::mt19937 generator(seed);
  for (std::size_t i = files.size(); i > 1; --i) std::swap(files[i - 1], files[generator() % i]);
}

}  // namespace saver::tool
