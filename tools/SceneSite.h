#pragma once
#include <filesystem>
#include <string>

namespace saver::tool {

// Where a value stands in a scene description, for messages ("show.json: items[2].path.effect")
// and for resolving the relative paths of pictures and media against the scene file's folder.
class SceneSite {
 public:
  SceneSite(std::string file_name, std::filesystem::path folder)
      : file_name_(std::move(file_name)), folder_(std::move(folder)) {}

  SceneSite Member(const std::string& name) const {
    return Derived(path_.empty() ? name : path_ + "." + name);
  }
  SceneSite Element(std::size_t index) const {
    return Derived(path_ + "[" + std::to_string(index) + "]");
  }

  const std::filesystem::path& Folder() const { return folder_; }
  const std::string& FileName() const { return file_name_; }
  // "file: path: what", the form of every scene error.
  std::string Describe(const std::string& what) const {
    return file_name_ + ": " + (path_.empty() ? "" : path_ + ": ") + what;
  }
  [[noreturn]] void Fail(const std::string& what) const;

 private:
  SceneSite Derived(std::string path) const {
    SceneSite site = *this;
    site.path_ = std::move(path);
    return site;
  }

  std::string file_name_;
  std::filesystem::path folder_;
  std::string path_;
};

}  // namespace saver::tool
