#pragma once
#include <stdexcept>

namespace saver {

// The two ways a package read fails inside the archive. Thrown by the archive and by item
// loaders, caught in exactly one place: the package reader, which turns them into a false result.
class CArchiveError : public std::runtime_error {
 public:
  enum class Kind { kEndOfFile, kBadSchema };

  CArchiveError(Kind kind, const char* what) : std::runtime_error(what), kind_(kind) {}
  Kind kind() const { return kind_; }

  static CArchiveError EndOfFile() { return {Kind::kEndOfFile, "package ends early"}; }
  static CArchiveError BadSchema(const char* what) { return {Kind::kBadSchema, what}; }

 private:
  Kind kind_;
};

}  // namespace saver
