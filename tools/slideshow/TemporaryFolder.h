#pragma once
#include <filesystem>

namespace saver::tool {

// A new folder under the system's temporary folder, removed with everything in it when the
// object goes (also when a command fails).
class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace saver::tool
