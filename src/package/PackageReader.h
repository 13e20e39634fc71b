#pragma once
#include <cstdint>

namespace saver {

class ArchiveReader;
class CItemRegistry;

// Reads the scene package (signature, version, items, link section) into the registry's item
// list, numbers the items and validates them in order; true only if everything read and every item
// validated. With `reserved`, the package's first field (the reserved DWORD that precedes the
// signature) is read into it first. Archive and memory errors are caught here, in one place, and
// make the result false; items appended before a failure stay in the list.
bool ReadPackage(ArchiveReader& archive, CItemRegistry& registry, std::uint32_t* reserved = nullptr);

}  // namespace saver
