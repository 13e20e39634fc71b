#pragma once
#include <cstdint>

namespace saver {

// What a transition needs from the thread it runs on. The scene thread implements it with its
// calibrated busy wait and its stop event; tests and off-screen renderers record the calls.
class Pacer {
 public:
  virtual ~Pacer() = default;

  // Busy wait of trunc(K * (d - a) * 0.00001) stop-event polls, K being the machine's polls per
  // second: about (d - a) / 100 ms. Returns at once while a stop is requested.
  virtual void PacedWait(int a, double d) = 0;
  virtual bool StopRequested() = 0;
  // Milliseconds, wrapping like the system tick count.
  virtual std::uint32_t TickCount() = 0;
  virtual void Sleep(int milliseconds) = 0;
};

}  // namespace saver
