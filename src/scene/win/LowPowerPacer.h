#pragma once
// The paced wait without a busy core: the same length as the polling wait (polls / polls per
// second), slept on the stop event together with a high-resolution waitable timer, and only the
// last fraction of a millisecond spent polling. Where the system has no high-resolution timer the
// sleep is WaitForSingleObject on the stop event with the system timer at 1 ms resolution.
#include <windows.h>

#include <cstdint>

#include "app/win/ScopedWin.h"

namespace saver::win {

class LowPowerPacer {
 public:
  LowPowerPacer();
  LowPowerPacer(const LowPowerPacer&) = delete;
  LowPowerPacer& operator=(const LowPowerPacer&) = delete;
  // Gives the 1 ms system timer resolution back when the fallback took it.
  ~LowPowerPacer();

  // Waits as long as `polls` polls take at `polls_per_second`; returns at once when `stop` is set.
  // No wait at all when the rate is 0 (no calibration yet).
  void Wait(HANDLE stop, std::uint32_t polls, std::uint32_t polls_per_second) const;
  bool UsesHighResolutionTimer() const { return timer_.Valid(); }

  // What is left for polling at the end of a wait: the timer's wake-up may come this late.
  static constexpr double kPollingTailSeconds = 0.0005;

 private:
  // Sleeps about `seconds` or until `stop` is set; true when it was set.
  bool SleepOnStop(HANDLE stop, double seconds) const;

  ScopedHandle timer_;
  bool raised_timer_resolution_ = false;
  double counter_frequency_ = 0;  // performance-counter ticks per second
};

}  // namespace saver::win
