#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include <vector>

#include "desktop/win/FileBytes.h"
#include "imaging/PixelBuffer.h"

namespace saver::win::testing_support {

// A fresh path in the temporary folder, deleted again when the object goes.
class TemporaryPath {
 public:
  explicit TemporaryPath(const std::wstring& name) {
    wchar_t folder[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, folder);
    path_ = std::wstring(folder) + name;
    DeleteFileW(path_.c_str());
  }
  ~TemporaryPath() { DeleteFileW(path_.c_str()); }
  TemporaryPath(const TemporaryPath&) = delete;
  TemporaryPath& operator=(const TemporaryPath&) = delete;

  const std::wstring& Wide() const { return path_; }
  std::string Ansi() const { return std::string(path_.begin(), path_.end()); }  // the temp folder is ASCII here
  bool Exists() const { return GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }
  // The file's bytes; empty when it is missing.
  std::vector<std::uint8_t> Content() const {
    return ReadFileBytes(path_, std::uint64_t{1} << 30).value_or(std::vector<std::uint8_t>());
  }

 private:
  std::wstring path_;
};

// A small picture whose every pixel differs from the others.
inline CPixelBuffer DistinctPixels(int width, int height) {
  CPixelBuffer picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.SetPixel(x, y, RGB(40 + x * 30, 60 + y * 40, 200 - x * 10 - y * 20));
  return picture;
}

}  // namespace saver::win::testing_support
