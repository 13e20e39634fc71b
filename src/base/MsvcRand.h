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
// The calling thread's state as it stands (MsvcSrand sets it).
std::uint32_t MsvcRandState();

// One step of the generator on a given state.
constexpr int MsvcRandStep(std::uint32_t& state) {
  state = state * 214013u + 2531011u;
  return static_cast<int>((state >> 16) & 0x7FFF);
}

// The calling thread's generator borrowed for a loop of many draws: the state is held in the
// object (no thread-local lookup per draw) and handed back when the object goes. The draws are
// those MsvcRand would give, provided nothing else on the thread draws while the object lives.
class CMsvcRandDraws {
 public:
  // Inline, so that the state never leaves a register while draws are made.
  CMsvcRandDraws() : state_(MsvcRandState()) {}
  ~CMsvcRandDraws() { MsvcSrand(state_); }
  CMsvcRandDraws(const CMsvcRandDraws&) = delete;
  CMsvcRandDraws& operator=(const CMsvcRandDraws&) = delete;

  int Next() { return MsvcRandStep(state_); }

 private:
  std::uint32_t state_;
};

}  // namespace saver
