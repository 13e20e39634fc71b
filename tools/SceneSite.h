#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include "JsonPositions.h"

namespace saver::tool {

// Where a value stands in a scene description, for messages ("show.json: items[2].path.effect")
// and for resolving the relative paths of pictures and media against the scene file's folder.
class CSceneSite {
 public:
  // `positions` maps the scene text, so that messages can point at the line and column.
  CSceneSite(std::string file_name, std::filesystem::path folder, std::shared_ptr<const JsonPositions> positions = {})
      : file_name_(std::move(file_name)), folder_(std::move(folder)), positions_(std::move(positions)) {}

  CSceneSite Member(const std::string& name) const { return Derived(path_.empty() ? name : path_ + "." + name); }
  CSceneSite Element(std::size_t index) const { return Derived(path_ + "[" + std::to_string(index) + "]"); }

  const std::filesystem::path& Folder() const { return folder_; }
  const std::string& FileName() const { return file_name_; }
  // "file:line:column: path: what", the form of every scene error (without line and column
  // where the place is not mapped, without the place for the scene as a whole).
  std::string Describe(const std::string& what) const;
  [[noreturn]] void Fail(const std::string& what) const;

 private:
  CSceneSite Derived(std::string path) const {
    CSceneSite site = *this;
    site.path_ = std::move(path);
    return site;
  }

  std::string file_name_;
  std::filesystem::path folder_;
  std::shared_ptr<const JsonPositions> positions_;
  std::string path_;
};

}  // namespace saver::tool
