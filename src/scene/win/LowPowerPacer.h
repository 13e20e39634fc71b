#pragma once
// The paced wait without a busy core: as long as the polling wait's polls take, slept on the stop
// event together with a high-resolution waitable timer, and only the last fraction of a millisecond
// spent polling. Where the system has no high-resolution timer the sleep is WaitForSingleObject on
// the stop event with the system timer at 1 ms resolution.
//
// The calibration count says how many polls a wait makes; how long they take is measured here, in
// the polling tail of every wait. A stop-event poll is a round trip to the kernel (under Wine, to
// wineserver) whose cost swings several times over with the load of the machine, so the
// calibration's one second of polls, taken once, can be far from what the same polls take during
// the show. Until a tail has been timed the calibration's own figure (1 / polls per second) stands
// in. On a machine so busy that a polling thread loses its processor within a wait, the polling
// wait stretches by the time it waits for the processor again, which a short tail does not see.
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

  // Waits as long as `polls` polls of `stop` take now; returns at once when `stop` is set.
  // `polls_per_second` is the calibration, the pace until polls have been timed. No wait at all
  // when it is 0 (no calibration yet). Call from one thread only.
  void Wait(HANDLE stop, std::uint32_t polls, std::uint32_t polls_per_second);
  bool UsesHighResolutionTimer() const { return timer_.Valid(); }

  // What is left for polling at the end of a wait, in seconds: wake-ups scatter by this much
  // around the time the timer is asked for.
  static constexpr double kPollingTailSeconds = 0.0005;

 private:
  double SecondsPerPoll(std::uint32_t polls_per_second) const;
  double SecondsBetween(std::int64_t from, std::int64_t to) const;
  // Sleeps about `seconds` or until `stop` is set; true when it was set. Learns the lateness.
  bool SleepOnStop(HANDLE stop, double seconds);
  // The sleep itself: WAIT_OBJECT_0 when `stop` ended it.
  DWORD WaitOnTimer(HANDLE stop, double seconds) const;
  // Polls `stop` until `deadline` (counter ticks) and learns the pace of the polls.
  void PollUntil(HANDLE stop, std::int64_t deadline);

  ScopedHandle timer_;
  bool raised_timer_resolution_ = false;
  double counter_frequency_ = 0;  // performance-counter ticks per second
  // Polls timed in recent tails, the older ones fading out, so that the pace follows the load.
  double timed_poll_seconds_ = 0;
  double timed_polls_ = 0;
  // How much later than asked the sleeps wake up, on average (seconds); asked for that much less.
  double wake_lateness_ = 0;
};

}  // namespace saver::win
