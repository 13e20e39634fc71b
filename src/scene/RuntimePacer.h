#pragma once
#include "effects/Pacer.h"
#include "scene/SceneRuntime.h"

namespace saver {

// The scene runtime's waits, stop request and clock, as a transition asks for them.
class RuntimePacer final : public Pacer {
 public:
  explicit RuntimePacer(SceneRuntime& runtime) : runtime_(runtime) {}
  void PacedWait(int a, double d) override { runtime_.PacedWait(a, d); }
  bool StopRequested() override { return runtime_.StopRequested(); }
  std::uint32_t TickCount() override { return runtime_.TickCount(); }
  void Sleep(int milliseconds) override { runtime_.Sleep(milliseconds > 0 ? milliseconds : 0); }

 private:
  SceneRuntime& runtime_;
};

}  // namespace saver
