#include "EngineImage.h"

#include <algorithm>

#include "ByteView.h"
#include "ToolError.h"
#include "package/EngineLayout.h"

namespace saver::tool {
namespace {

// PE/COFF offsets (Microsoft PE format): e_lfanew in the MZ header, then the COFF file header
// behind the four-byte "PE\0\0", then the section table behind the optional header.
constexpr std::size_t kNewHeaderOffsetField = 0x3C;
constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::uint16_t kMachineI386 = 0x14C;
constexpr std::uint16_t kMachineAmd64 = 0x8664;

// End of the last section's raw data: everything behind it must be padding.
std::uint64_t ImageEnd(const CByteView& image, const std::string& file_name) {
  auto fail = [&](const std::string& what) { throw CToolError(file_name + ": not a padded engine (" + what + ")"); };
  if (image.U16(0) != 0x5A4D) fail("no MZ header");
  const std::uint64_t pe = image.U32(kNewHeaderOffsetField);
  if (pe + 4 + kCoffHeaderSize > image.size() || image.U32(pe) != 0x00004550) fail("no PE header");
  const std::uint16_t machine = image.U16(pe + 4);
  if (machine != kMachineI386 && machine != kMachineAmd64) fail("not an i386 or x86-64 executable");
  const std::uint16_t sections = image.U16(pe + 6);
  const std::uint64_t table = pe + 4 + kCoffHeaderSize + image.U16(pe + 20);
  if (sections == 0 || table + sections * kSectionHeaderSize > image.size()) {
    fail("section table outside the file");
  }
  std::uint64_t end = table + sections * kSectionHeaderSize;
  for (std::uint64_t i = 0; i < sections; ++i) {
    const std::uint64_t header = table + i * kSectionHeaderSize;
    const std::uint64_t raw_size = image.U32(header + 16);
    const std::uint64_t raw_pointer = image.U32(header + 20);
    if (raw_size != 0) end = std::max(end, raw_pointer + raw_size);
  }
  if (end > image.size()) fail("its sections run past the package offset");
  return end;
}

}  // namespace

void CheckPaddedEngine(const Bytes& engine, const std::string& file_name) {
  if (engine.size() != kPackageOffset) {
    throw CToolError(file_name + ": not a padded engine (" + std::to_string(engine.size()) +
                     " bytes; a padded engine is exactly " + std::to_string(kPackageOffset) + " bytes)");
  }
  const CByteView image(engine);
  const std::uint64_t end = ImageEnd(image, file_name);
  const bool padded = std::all_of(engine.begin() + static_cast<std::ptrdiff_t>(end), engine.end(),
                                  [](std::uint8_t b) { return b == 0; });
  if (!padded) {
    throw CToolError(file_name + ": not a padded engine (data after the engine image at offset " + std::to_string(end) +
                     ")");
  }
}

}  // namespace saver::tool
