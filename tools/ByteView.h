#pragma once
#include <cstdint>
#include <span>

namespace saver::tool {

// Bounds-checked little-endian reads from a byte buffer: a read past the end yields 0, which
// every caller's own plausibility checks then reject, so damaged input never reads outside.
class CByteView {
 public:
  explicit CByteView(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::uint64_t size() const { return bytes_.size(); }
  std::uint16_t U16(std::uint64_t at) const {
    if (at > size() || size() - at < 2) return 0;
    return static_cast<std::uint16_t>(bytes_[at] | bytes_[at + 1] << 8);
  }
  std::uint32_t U32(std::uint64_t at) const {
    if (at > size() || size() - at < 4) return 0;
    return static_cast<std::uint32_t>(U16(at)) | static_cast<std::uint32_t>(U16(at + 2)) << 16;
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace saver::tool
