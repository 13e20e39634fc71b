#include "package/Scrambler.h"

namespace saver {

void Unscramble(std::span<std::uint8_t> bytes, ScrambleDirection direction) {
  const auto shift = static_cast<std::uint8_t>(bytes.size() % 11 + 3);
  for (std::uint8_t& byte : bytes) {
    byte = direction == ScrambleDirection::kUnscramble ? static_cast<std::uint8_t>(byte + shift)
                                                       : static_cast<std::uint8_t>(byte - shift);
  }
}

}  // namespace saver
