#include "slideshow/TemporaryFolder.h"

#include <random>
#include <system_error>

#include "ToolError.h"

namespace saver::tool {

CTemporaryFolder::CTemporaryFolder() {
  std::random_device random;
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::filesystem::path candidate = base / ("saverpkg-" + std::to_string(random()));
    std::error_code error;
    if (std::filesystem::create_directory(candidate, error)) {
      path_ = std::move(candidate);
      return;
    }
  }
  throw CToolError(base.string() + ": cannot make a temporary folder there");
}

CTemporaryFolder::~CTemporaryFolder() {
  std::error_code ignored;  // nothing to report to from a destructor
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace saver::tool
