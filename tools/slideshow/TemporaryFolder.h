#pragma once
#include <filesystem>

namespace saver::tool {

// A new folder under the system's temporary folder, removed with everything in it when the
// object goes (also when a command fails).
class CTemporaryFolder {
 public:
  CTemporaryFolder();
  ~CTemporaryFolder();
  CTemporaryFolder(const CTemporaryFolder&) = delete;
  CTemporaryFolder& operator=(const CTemporaryFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace saver::tool
