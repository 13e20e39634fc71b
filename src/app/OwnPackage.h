#pragma once
#include <cstdint>
#include <cstddef>
#include <memory>

#include "package/ByteSource.h"
#include "package/Windows1252.h"

namespace saver {

class CItemRegistry;

// What the application keeps of its own saver file besides the items.
struct OwnPackageHeader {
  std::uint32_t reserved = 0;          // the package's first DWORD, not interpreted
  std::uint32_t exit_button_flag = 0;  // the file's last byte; nonzero for a test run
};

// Reads a whole saver file held in memory: the exit-button flag from its last byte, then the package
// from the engine's package offset into the registry's item list, whose pictures and media refer to
// their bytes in `file` (kept while they do). False when the file is not longer than the engine or
// the package does not read and validate.
bool ReadOwnPackage(std::shared_ptr<const CByteSource> file, CItemRegistry& registry, OwnPackageHeader& header,
                    Utf16ToAnsi to_ansi = &Windows1252FromUtf16);

}  // namespace saver
