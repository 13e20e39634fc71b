#pragma once
#include <string>

namespace saver {

// The stored form of a screen-saver password: "x" followed by 51 characters in which the
// password's characters (each times 4, kept to 8 bits) sit at every step-th position, counted
// down from the end, between printable filler drawn from the runtime generator seeded with a
// fixed value. The same password always gives the same text, so the check compares stored forms
// and the plain password is never kept.
//
// Characters are placed from the first, at position 51 - (51 % step) ... down, step = 51 / length;
// positions the step meets beyond the last character get filler. The text ends early at a
// character that became 0 (its code times 4 is a multiple of 256), which keeps only what lies
// below it. At most 51 characters are used; an empty password gives an empty text.
// Draws on the calling thread's generator (it is reseeded).
std::string ScramblePassword(const std::string& password);

inline constexpr std::size_t kMaxPasswordLength = 51;

}  // namespace saver
