#pragma once
#include <cstdint>

namespace saver {

class CArchiveReader;

// What a package's body is read into. The reader knows the package's frame (the reserved field,
// signature, version and item count); the item model behind this interface makes the items of
// each kind, ties them by the link section and validates them.
class CPackageContent {
 public:
  virtual ~CPackageContent() = default;
  // Reads one item record of `type_id`; throws CArchiveError for a type it has no kind for.
  virtual void ReadItem(CArchiveReader& archive, std::int32_t type_id) = 0;
  // Reads the link section that follows the last record.
  virtual void ReadLinkSection(CArchiveReader& archive) = 0;
  // Numbers the items read and validates them in order; true if every one validated.
  virtual bool Validate() = 0;
};

// Reads the scene package (signature, version, items, link section) into `content` and validates
// it; true only if everything read and every item validated. With `reserved`, the package's first
// field (the reserved DWORD that precedes the signature) is read into it first. Archive and memory
// errors are caught here, in one place, and make the result false; items read before a failure
// stay in the content.
bool ReadPackage(CArchiveReader& archive, CPackageContent& content, std::uint32_t* reserved = nullptr);

}  // namespace saver
