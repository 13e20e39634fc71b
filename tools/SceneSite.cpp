#include "SceneSite.h"

#include "ToolError.h"

namespace saver::tool {

std::string CSceneSite::Describe(const std::string& what) const {
  if (path_.empty()) return file_name_ + ": " + what;
  std::string place = file_name_;
  if (positions_) {
    const auto found = positions_->find(path_);
    if (found != positions_->end()) {
      place += ":" + std::to_string(found->second.line) + ":" + std::to_string(found->second.column);
    }
  }
  return place + ": " + path_ + ": " + what;
}

void CSceneSite::Fail(const std::string& what) const { throw CToolError(Describe(what)); }

}  // namespace saver::tool
