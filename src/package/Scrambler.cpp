#include "package/Scrambler.h"

namespace saver {

std::uint8_t ScrambleShift(std::uint64_t length) { return static_cast<std::uint8_t>(length % 11 + 3); }

void ShiftBytes(std::span<std::uint8_t> bytes, std::uint8_t shift, ScrambleDirection direction) {
  const auto step = direction == ScrambleDirection::kUnscramble ? shift : static_cast<std::uint8_t>(256 - shift);
  for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(byte + step);
}

void Unscramble(std::span<std::uint8_t> bytes, ScrambleDirection direction) {
  ShiftBytes(bytes, ScrambleShift(bytes.size()), direction);
}

}  // namespace saver
