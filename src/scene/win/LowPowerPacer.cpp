#include "scene/win/LowPowerPacer.h"

#include <mmsystem.h>

#include <algorithm>

namespace saver::win {
namespace {

// Declared by newer SDK headers only; older systems refuse the flag and the fallback is taken.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
constexpr DWORD CREATE_WAITABLE_TIMER_HIGH_RESOLUTION = 0x00000002;
#endif

// Weight the earlier sleeps' lateness keeps at each new sleep.
constexpr double kFading = 0.9;
// Lateness beyond this is a stall of the machine rather than the timer's habit; waking earlier
// for it would only spend the processor time the wait is there to save.
constexpr double kMostLateness = 0.001;

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

CLowPowerPacer::CLowPowerPacer() : timer_(CreateHighResolutionTimer()) {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  counter_frequency_ = static_cast<double>(frequency.QuadPart);
  if (!timer_) raised_timer_resolution_ = timeBeginPeriod(1) == TIMERR_NOERROR;
}

CLowPowerPacer::~CLowPowerPacer() {
  if (raised_timer_resolution_) timeEndPeriod(1);
}

double CLowPowerPacer::SecondsBetween(std::int64_t from, std::int64_t to) const {
  return static_cast<double>(to - from) / counter_frequency_;
}

void CLowPowerPacer::Wait(HANDLE stop, std::uint32_t polls, std::uint32_t polls_per_second) {
  if (polls == 0 || polls_per_second == 0 || counter_frequency_ <= 0) return;
  const double ticks = static_cast<double>(polls) / polls_per_second * counter_frequency_;
  const std::int64_t deadline = CounterNow() + static_cast<std::int64_t>(std::min(ticks, 1.0e18));
  for (;;) {
    const double sleep = SecondsBetween(CounterNow(), deadline) - kPollingTailSeconds - wake_lateness_;
    if (sleep <= 0) break;
    if (SleepOnStop(stop, sleep)) return;
  }
  PollUntil(stop, deadline);
}

void CLowPowerPacer::PollUntil(HANDLE stop, std::int64_t deadline) const {
  while (CounterNow() < deadline)
    if (IsSet(stop)) return;
}

bool CLowPowerPacer::SleepOnStop(HANDLE stop, double seconds) {
  const std::int64_t start = CounterNow();
  if (WaitOnTimer(stop, seconds) == WAIT_OBJECT_0) return true;
  const double late = SecondsBetween(start, CounterNow()) - seconds;
  wake_lateness_ = std::clamp(wake_lateness_ * kFading + late * (1 - kFading), 0.0, kMostLateness);
  return false;
}

DWORD CLowPowerPacer::WaitOnTimer(HANDLE stop, double seconds) const {
  if (timer_) {
    // Relative due times are negative, in units of 100 ns.
    LARGE_INTEGER due{};
    due.QuadPart = -std::max<std::int64_t>(1, static_cast<std::int64_t>(seconds * 1e7));
    if (SetWaitableTimer(timer_.Get(), &due, 0, nullptr, nullptr, FALSE)) {
      const HANDLE objects[] = {stop, timer_.Get()};
      return WaitForMultipleObjects(2, objects, FALSE, INFINITE);
    }
  }
  // Whole milliseconds only, rounded down, so that the sleep never passes the polling tail.
  const DWORD milliseconds = static_cast<DWORD>(std::min(seconds * 1000.0, 4294967294.0));
  return WaitForSingleObject(stop, milliseconds);
}

}  // namespace saver::win
