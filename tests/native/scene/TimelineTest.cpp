#include "scene/Timeline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "RecordingRuntime.h"
#include "base/MsvcRand.h"

namespace saver {
namespace {

using testing_support::RecordingRuntime;

TEST(SleepInSlicesTest, SleepsWholeSlicesThenTheRemainder) {
  struct Case {
    std::uint32_t duration;
    std::vector<std::uint32_t> sleeps;
  };
  const Case cases[] = {
      {0, {}}, {50, {50}}, {100, {100}}, {250, {100, 100, 50}}, {300, {100, 100, 100}}, {99, {99}},
  };
  for (const Case& c : cases) {
    RecordingRuntime runtime;
    SleepInSlices(runtime, c.duration);
    EXPECT_EQ(runtime.sleeps, c.sleeps) << c.duration;
  }
}

TEST(SleepInSlicesTest, StopDuringASliceSkipsTheRest) {
  for (std::uint32_t duration : {250u, 1000u, 60000u}) {
    RecordingRuntime runtime;
    runtime.after_sleep = [](RecordingRuntime& r) { r.RequestStop(); };
    SleepInSlices(runtime, duration);
    EXPECT_EQ(runtime.sleeps, std::vector<std::uint32_t>{100}) << duration;
  }
}

TEST(SleepInSlicesTest, StopBeforehandSleepsNothing) {
  RecordingRuntime runtime;
  runtime.RequestStop();
  SleepInSlices(runtime, 250);
  EXPECT_TRUE(runtime.sleeps.empty());
}

TEST(NextRandomDelayTest, StaysInRangeAndMovesAtLeast150) {
  for (std::uint32_t seed = 0; seed < 2000; ++seed) {
    MsvcSrand(seed);
    std::uint32_t duration = seed * 7;  // some start values beyond the range
    for (int pass = 0; pass < 5; ++pass) {
      const std::uint32_t next = NextRandomDelay(duration);
      ASSERT_LT(next, kRandomDelayRange);
      ASSERT_GE(std::llabs(static_cast<long long>(next) - static_cast<long long>(duration)), 150);
      duration = next;
    }
  }
}

TEST(NextRandomDelayTest, HugeLoadedDurationDoesNotOverflow) {
  MsvcSrand(1);
  EXPECT_LT(NextRandomDelay(std::numeric_limits<std::uint32_t>::max()), kRandomDelayRange);
}

TEST(PacedPollCountTest, FollowsTheFormulaWithTruncation) {
  struct Case {
    std::int32_t a;
    double k;
    std::uint32_t times;
    std::uint32_t polls;
  };
  const Case cases[] = {
      {0, 100000, 1000000, 1000000},  // a whole second of polls
      {50000, 100000, 1000000, 500000},
      {100, 100, 1000000, 0},         // a equal to k
      {0, 100, 3000000, 3000},
      {1, 3, 1000, 0},                // (2/3) * 1000 * 3e-5 = 0.02
      {1, 3, 100000, 2},              // (2/3) * 100000 * 3e-5, a hair above 2
      {1000, 1100, 4000000, 4000},    // (1/11) * 4e6 * 1100 * 1e-5
      {0, 100000, 0, 0},              // not calibrated
  };
  for (const Case& c : cases)
    EXPECT_EQ(PacedPollCount(c.a, c.k, c.times), c.polls) << c.a << " " << c.k << " " << c.times;
}

TEST(PacedPollCountTest, NegativeOrUndefinedProductWaitsNoPolls) {
  EXPECT_EQ(PacedPollCount(1200, 1100, 1000000), 0u);  // a above k: a speed below 100
  EXPECT_EQ(PacedPollCount(5, 0.0, 1000000), 0u);      // k = 0
  EXPECT_EQ(PacedPollCount(0, 0.0, 1000000), 0u);      // 0/0
  EXPECT_EQ(PacedPollCount(0, -100000, 1000000), 0u);
}

TEST(PacedPollCountTest, HugeProductIsCapped) {
  EXPECT_EQ(PacedPollCount(0, 1e12, std::numeric_limits<std::uint32_t>::max()),
            std::numeric_limits<std::uint32_t>::max());
}

}  // namespace
}  // namespace saver
