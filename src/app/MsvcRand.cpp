#include "app/MsvcRand.h"

namespace saver {
namespace {
thread_local std::uint32_t g_state = 1;
}

void MsvcSrand(std::uint32_t seed) { g_state = seed; }

int MsvcRand() {
  g_state = g_state * 214013u + 2531011u;
  return static_cast<int>((g_state >> 16) & 0x7FFF);
}

}  // namespace saver
