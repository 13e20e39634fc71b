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

// Seconds `polls` polls of `stop` take, made as the polling wait makes them.
double PollingSeconds(HANDLE stop, std::uint32_t polls) {
  const Clock::time_point start = Clock::now();
  for (std::uint32_t i = 0; i < polls; ++i)
    if (WaitForSingleObject(stop, 0) == WAIT_OBJECT_0) break;
  return SecondsSince(start);
}

// The calibration counts the polls; how long they take is what the machine does now. With a
// calibration far off either way, the waits still come to what the same polls take, once a few
// have been timed. The bound is wide: a shared machine's load makes poll times swing.
TEST(LowPowerPacerTest, WaitsFollowWhatThePollsTakeNowNotAStaleCalibration) {
  const ScopedHandle stop = ManualResetEvent();
  const double seconds_per_poll = PollingSeconds(stop.Get(), 5000) / 5000;
  const auto polls_in = [&](double seconds) { return static_cast<std::uint32_t>(seconds / seconds_per_poll) + 1; };
  const double calibration_errors[] = {1.0 / 200, 200};  // the calibration's rate over the real one
  for (double error : calibration_errors) {
    const auto calibrated_rate = static_cast<std::uint32_t>(error / seconds_per_poll) + 1;
    LowPowerPacer pacer;
    for (int i = 0; i < 10; ++i) pacer.Wait(stop.Get(), polls_in(0.001), calibrated_rate);
    double polling = 0, low_power = 0;
    for (int i = 0; i < 10; ++i) {
      polling += PollingSeconds(stop.Get(), polls_in(0.01));
      const Clock::time_point start = Clock::now();
      pacer.Wait(stop.Get(), polls_in(0.01), calibrated_rate);
      low_power += SecondsSince(start);
    }
    EXPECT_GT(low_power, polling / 10) << "calibration off by " << error;
    EXPECT_LT(low_power, polling * 10) << "calibration off by " << error;
  }
}

TEST(LowPowerPacerTest, NothingToWaitWithoutPollsOrRate) {
  const ScopedHandle stop = ManualResetEvent();
  LowPowerPacer pacer;
  const Clock::time_point start = Clock::now();
  pacer.Wait(stop.Get(), 4000000000u, 0);  // no calibration yet: no wait, no division by zero
  pacer.Wait(stop.Get(), 0, 100000);
  EXPECT_LT(SecondsSince(start), kPromptSeconds);
}

TEST(LowPowerPacerTest, SetStopEndsAWaitAtOnce) {
  const ScopedHandle stop = ManualResetEvent();
  LowPowerPacer pacer;
  SetEvent(stop.Get());
  const Clock::time_point start = Clock::now();
  pacer.Wait(stop.Get(), 120, 1);  // two minutes
  EXPECT_LT(SecondsSince(start), kPromptSeconds);
}

TEST(LowPowerPacerTest, StopDuringAWaitEndsIt) {
  const ScopedHandle stop = ManualResetEvent();
  LowPowerPacer pacer;
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
  LowPowerPacer pacer;
  RecordProperty("high_resolution_timer", pacer.UsesHighResolutionTimer() ? 1 : 0);
  EXPECT_TRUE(pacer.UsesHighResolutionTimer());
}

class NoWindowHost : public ShowHost {
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
  CSceneThread thread(host, &times, false, [&](SceneRuntime& runtime) {
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
