#include "base/MsvcRand.h"

namespace saver {
namespace {
thread_local std::uint32_t g_state = 1;
}

void MsvcSrand(std::uint32_t seed) { g_state = seed; }

int MsvcRand() { return MsvcRandStep(g_state); }

std::uint32_t MsvcRandState() { return g_state; }

}  // namespace saver
