#pragma once
#include <cstdint>

namespace saver {

// The waits, the stop request and the clock of the thread a transition runs on. The scene thread
// implements it with its calibrated busy wait and its stop event (every scene runtime is one);
// the memory surface records the calls. A transition holds the pacer itself, beside its drawing
// surface, so that a wait reaches the thread in one call.
class CPacer {
 public:
  virtual ~CPacer() = default;

  // True once the show has been told to end; effects return as soon as they see it.
  virtual bool StopRequested() const = 0;
  // Sleeps for up to `milliseconds`.
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  // Busy wait of trunc((1 - a/k) * K * k * 0.00001) polls of the stop event, K being the
  // machine's calibration count (polls per second): about (k - a) / 100 ms. Returns at once
  // while a stop is requested.
  virtual void PacedWait(std::int32_t a, double k) = 0;
  // Milliseconds since an arbitrary start; wraps like the system tick count (49.7 days).
  virtual std::uint32_t TickCount() const = 0;
};

}  // namespace saver
