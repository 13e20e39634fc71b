#pragma once
#include <cstdint>

namespace saver {

// The generator of the Microsoft C runtime, reproduced so that every random draw of a show is the
// same on every platform: state = state * 214013 + 2531011, each draw the bits 16..30 of the state.
// As in the multithreaded runtime the state belongs to the calling thread (it starts at 1), so the
// password dialog and the scene thread never disturb each other's sequences.
inline constexpr int kMsvcRandMax = 32767;

void MsvcSrand(std::uint32_t seed);
int MsvcRand();

}  // namespace saver
