#pragma once
#include <cstdint>
#include <span>

namespace saver {

// The package text scrambler. The authoring tool lowers every byte of a scrambled field by
// (L mod 11) + 3, modulo 256, where L is the field's own length in bytes; reading adds it back.
enum class ScrambleDirection { kUnscramble, kScramble };

void Unscramble(std::span<std::uint8_t> bytes, ScrambleDirection direction);

}  // namespace saver
