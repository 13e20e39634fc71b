#pragma once
#include <cstdint>
#include <span>

namespace saver {

// The package text scrambler. The authoring tool lowers every byte of a scrambled field by
// (L mod 11) + 3, modulo 256, where L is the field's own length in bytes; reading adds it back.
enum class ScrambleDirection { kUnscramble, kScramble };

void Unscramble(std::span<std::uint8_t> bytes, ScrambleDirection direction);

// The shift of a field of `length` bytes, and the shift applied to a piece of such a field.
std::uint8_t ScrambleShift(std::uint64_t length);
void ShiftBytes(std::span<std::uint8_t> bytes, std::uint8_t shift, ScrambleDirection direction);

}  // namespace saver
