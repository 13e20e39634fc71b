#include "scene/win/LowPowerPacer.h"

#include <mmsystem.h>

#include <algorithm>

namespace saver::win {
namespace {

// Declared by newer SDK headers only; older systems refuse the flag and the fallback is taken.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
constexpr DWORD CREATE_WAITABLE_TIMER_HIGH_RESOLUTION = 0x00000002;
#endif

HANDLE CreateHighResolutionTimer() {
  return CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
}

std::int64_t CounterNow() {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

bool IsSet(HANDLE event) { return WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }

}  // namespace

LowPowerPacer::LowPowerPacer() : timer_(CreateHighResolutionTimer()) {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  counter_frequency_ = static_cast<double>(frequency.QuadPart);
  if (!timer_) raised_timer_resolution_ = timeBeginPeriod(1) == TIMERR_NOERROR;
}

LowPowerPacer::~LowPowerPacer() {
  if (raised_timer_resolution_) timeEndPeriod(1);
}

void LowPowerPacer::Wait(HANDLE stop, std::uint32_t polls, std::uint32_t polls_per_second) const {
  if (polls == 0 || polls_per_second == 0 || counter_frequency_ <= 0) return;
  const double seconds = static_cast<double>(polls) / polls_per_second;
  const std::int64_t start = CounterNow();
  const auto elapsed = [&] { return static_cast<double>(CounterNow() - start) / counter_frequency_; };
  for (double left = seconds; left > kPollingTailSeconds; left = seconds - elapsed())
    if (SleepOnStop(stop, left - kPollingTailSeconds)) return;
  while (elapsed() < seconds)
    if (IsSet(stop)) return;
}

bool LowPowerPacer::SleepOnStop(HANDLE stop, double seconds) const {
  if (timer_) {
    // Relative due times are negative, in units of 100 ns.
    LARGE_INTEGER due{};
    due.QuadPart = -std::max<std::int64_t>(1, static_cast<std::int64_t>(seconds * 1e7));
    if (SetWaitableTimer(timer_.Get(), &due, 0, nullptr, nullptr, FALSE)) {
      const HANDLE objects[] = {stop, timer_.Get()};
      return WaitForMultipleObjects(2, objects, FALSE, INFINITE) == WAIT_OBJECT_0;
    }
  }
  // Whole milliseconds only, rounded down, so that the sleep never passes the polling tail.
  const DWORD milliseconds = static_cast<DWORD>(std::min(seconds * 1000.0, 4294967294.0));
  return WaitForSingleObject(stop, milliseconds) == WAIT_OBJECT_0;
}

}  // namespace saver::win
