#pragma once
// The paced wait without a busy core: as long as the calibration says the polling wait's polls
// take (polls / polls per second), slept on the stop event together with a high-resolution
// waitable timer, and only the last fraction of a millisecond spent polling. Where the system has
// no high-resolution timer the sleep is WaitForSingleObject on the stop event with the system
// timer at 1 ms resolution. The timer's habitual lateness is learnt and slept off in advance, so
// that the polling tail stays short.
#include <windows.h>

#include <cstdint>

#include "base/win/ScopedWin.h"

namespace saver::win {

class CLowPowerPacer {
 public:
  CLowPowerPacer();
  CLowPowerPacer(const CLowPowerPacer&) = delete;
  CLowPowerPacer& operator=(const CLowPowerPacer&) = delete;
  // Gives the 1 ms system timer resolution back when the fallback took it.
  ~CLowPowerPacer();

  // Waits `polls` / `polls_per_second` seconds; returns at once when `stop` is set. No wait at
  // all when the rate is 0 (no calibration yet). Call from one thread only.
  void Wait(HANDLE stop, std::uint32_t polls, std::uint32_t polls_per_second);
  bool UsesHighResolutionTimer() const { return timer_.Valid(); }

  // What is left for polling at the end of a wait, in seconds: wake-ups scatter by this much
  // around the time the timer is asked for.
  static constexpr double kPollingTailSeconds = 0.0002;

 private:
  double SecondsBetween(std::int64_t from, std::int64_t to) const;
  // Sleeps about `seconds` or until `stop` is set; true when it was set. Learns the lateness.
  bool SleepOnStop(HANDLE stop, double seconds);
  // The sleep itself: WAIT_OBJECT_0 when `stop` ended it.
  DWORD WaitOnTimer(HANDLE stop, double seconds) const;
  // Polls `stop` until `deadline` (counter ticks).
  void PollUntil(HANDLE stop, std::int64_t deadline) const;

  ScopedHandle timer_;
  bool raised_timer_resolution_ = false;
  double counter_frequency_ = 0;  // performance-counter ticks per second
  // How much later than asked the sleeps wake up, on average (seconds); asked for that much less.
  double wake_lateness_ = 0;
};

}  // namespace saver::win
