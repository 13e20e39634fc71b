#include "scene/win/LowPowerPacer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "scene/win/SceneThread.h"

namespace saver::win {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

ScopedHandle ManualResetEvent() { return ScopedHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr)); }

// Generous bound for "returns at once" on a shared, slow machine.
constexpr double kPromptSeconds = 10.0;

// The calibration defines the length: polls / polls per second, never less, and not much more.
TEST(LowPowerPacerTest, WaitsAsLongAsTheCalibrationSays) {
  struct Case {
    std::uint32_t polls, rate;
  };
  // Below the polling tail, a little above it, and several timer periods.
  const Case cases[] = {{10, 100000}, {50, 100000}, {2000, 100000}, {45000, 1000000}};
  const ScopedHandle stop = ManualResetEvent();
  CLowPowerPacer pacer;
  for (const Case& c : cases) {
    const double expected = static_cast<double>(c.polls) / c.rate;
    const Clock::time_point start = Clock::now();
    pacer.Wait(stop.Get(), c.polls, c.rate);
    const double elapsed = SecondsSince(start);
    EXPECT_GE(elapsed, expected * 0.999) << c.polls << " polls at " << c.rate;
    EXPECT_LT(elapsed, expected + kPromptSeconds) << c.polls << " polls at " << c.rate;
  }
}

TEST(LowPowerPacerTest, NothingToWaitWithoutPollsOrRate) {
  const ScopedHandle stop = ManualResetEvent();
  CLowPowerPacer pacer;
  const Clock::time_point start = Clock::now();
  pacer.Wait(stop.Get(), 4000000000u, 0);  // no calibration yet: no wait, no division by zero
  pacer.Wait(stop.Get(), 0, 100000);
  EXPECT_LT(SecondsSince(start), kPromptSeconds);
}

TEST(LowPowerPacerTest, SetStopEndsAWaitAtOnce) {
  const ScopedHandle stop = ManualResetEvent();
  CLowPowerPacer pacer;
  SetEvent(stop.Get());
  const Clock::time_point start = Clock::now();
  pacer.Wait(stop.Get(), 120, 1);  // two minutes
  EXPECT_LT(SecondsSince(start), kPromptSeconds);
}

TEST(LowPowerPacerTest, StopDuringAWaitEndsIt) {
  const ScopedHandle stop = ManualResetEvent();
  CLowPowerPacer pacer;
  std::thread stopper([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    SetEvent(stop.Get());
  });
  const Clock::time_point start = Clock::now();
  pacer.Wait(stop.Get(), 120, 1);
  const double elapsed = SecondsSince(start);
  stopper.join();
  EXPECT_GE(elapsed, 0.04);
  EXPECT_LT(elapsed, kPromptSeconds);
}

TEST(LowPowerPacerTest, MachineHasAHighResolutionTimerOrTheFallback) {
  // Wine and current Windows have the timer; either way a wait works (see the tests above).
  CLowPowerPacer pacer;
  RecordProperty("high_resolution_timer", pacer.UsesHighResolutionTimer() ? 1 : 0);
  EXPECT_TRUE(pacer.UsesHighResolutionTimer());
}

class NoWindowHost : public CShowHost {
 public:
  HWND Handle() const override { return nullptr; }
  void Fill(COLORREF) override {}
  void ShowExitButton() override {}
  void ArmLink(std::string, int) override {}
};

// Through the scene thread: the option keeps the length of PacedWait and its prompt stop.
TEST(LowPowerPacerTest, SceneThreadPacesWithTheSameLengthAndStopsPromptly) {
  NoWindowHost host;
  std::uint32_t times = 100000;  // polls per second
  double first_wait = 0;
  bool second_wait_done = false;
  CSceneThread thread(host, &times, false, [&](CSceneRuntime& runtime) {
    const Clock::time_point start = Clock::now();
    runtime.PacedWait(0, 5000.0);  // 5000 polls: 50 ms
    first_wait = SecondsSince(start);
    runtime.PacedWait(0, 100000.0 * 3600);  // an hour, unless stopped
    second_wait_done = true;
  });
  thread.UseLowPowerPacing();
  ASSERT_TRUE(thread.Start());
  ASSERT_EQ(WaitForSingleObject(thread.ExitedEvent(), 2000), static_cast<DWORD>(WAIT_TIMEOUT));
  const Clock::time_point stop_asked = Clock::now();
  thread.Stop();
  EXPECT_LT(SecondsSince(stop_asked), kPromptSeconds);
  EXPECT_GE(first_wait, 0.05 * 0.999);
  EXPECT_TRUE(second_wait_done);
}

}  // namespace
}  // namespace saver::win
