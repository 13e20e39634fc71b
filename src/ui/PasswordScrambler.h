#pragma once
#include <cstddef>
#include <string>

namespace saver {

// The stored form of a screen-saver password: "x" followed by 51 characters. With
// step = 51 / length, the password's characters (each times 4, kept to 8 bits) go, first to last,
// to the positions that are multiples of step, counted down from 51; every other position holds
// printable filler from the runtime generator seeded with a fixed value. The same password always
// gives the same text, so the check compares stored forms and the plain password is never kept.
//
// Where the step meets more positions than there are characters (length 9, for one) the surplus
// positions get filler as well. A character that becomes 0 (code times 4 a multiple of 256) ends
// the text at its position. At most 51 characters are used; an empty password gives an empty
// text. Reseeds the calling thread's generator.
std::string ScramblePassword(const std::string& password);

// The password edits take no more than this.
inline constexpr std::size_t kMaxPasswordLength = 51;

}  // namespace saver
