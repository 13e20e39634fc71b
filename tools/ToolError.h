#pragma once
#include <stdexcept>
#include <string>

namespace saver::tool {

// The one failure of the package tool: a message for the user that names the file and, where
// there is one, the field at fault. Commands throw it; main() prints it and exits non-zero.
class CToolError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace saver::tool
