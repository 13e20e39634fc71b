#include "scene/Timeline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "RecordingRuntime.h"
#include "app/MsvcRand.h"
#include "scene/ShowLoop.h"

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

// A timeline made of marker items and loop ends, enough to walk the show loop without the package.
struct TimelineItem {
  enum Kind { Marker, LoopStart, LoopEnd };
  Kind kind = Marker;
  int id = 0;
  bool disabled = false;
  LoopRepeat loop{};
  std::vector<int>* trace = nullptr;
  // A marker may stop the show on its n-th turn.
  long stop_on_pass = 0;
  RecordingRuntime* stopper = nullptr;

  bool IsDisabled() const { return disabled; }
  void Execute(SceneRuntime&, int& running_index) {
    if (kind == Marker) trace->push_back(id);
    if (stopper && std::count(trace->begin(), trace->end(), id) == stop_on_pass) stopper->RequestStop();
    if (kind == LoopEnd) AdvanceLoopEnd(loop, running_index);
  }
};

class ShowLoopTest : public ::testing::Test {
 protected:
  void Marker(int id) { Add({TimelineItem::Marker, id}); }
  void Start() { Add({TimelineItem::LoopStart}); }
  // The jump target is the position after the matching start, as the loop end's validation sets it.
  void End(int start_position, std::uint32_t repeat, bool endless = false) {
    TimelineItem item{TimelineItem::LoopEnd};
    item.loop = {repeat, 0, endless, start_position + 1};
    Add(item);
  }
  void Add(TimelineItem item) {
    item.trace = &trace_;
    items_.push_back(std::make_unique<TimelineItem>(item));
  }
  std::vector<int> Run() {
    RecordingRuntime runtime;
    RunShowItems(items_, runtime);
    return trace_;
  }

  std::vector<std::unique_ptr<TimelineItem>> items_;
  std::vector<int> trace_;
};

TEST_F(ShowLoopTest, RepeatCountIsThePassesInAll) {
  struct Case {
    std::uint32_t repeat;
    std::vector<int> trace;
  };
  const Case cases[] = {{0, {1, 2, 3}}, {1, {1, 2, 3}}, {3, {1, 2, 2, 2, 3}}};
  for (const Case& c : cases) {
    items_.clear();
    trace_.clear();
    Marker(1), Start(), Marker(2), End(1, c.repeat), Marker(3);
    EXPECT_EQ(Run(), c.trace) << c.repeat;
  }
}

TEST_F(ShowLoopTest, NestedLoopsRunTheInnerLoopAfreshOnEveryOuterPass) {
  // 0:S 1:m1 2:S 3:m2 4:E(2)x2 5:m3 6:E(0)x3 7:m4
  Start(), Marker(1), Start(), Marker(2), End(2, 2), Marker(3), End(0, 3), Marker(4);
  EXPECT_EQ(Run(), (std::vector<int>{1, 2, 2, 3, 1, 2, 2, 3, 1, 2, 2, 3, 4}));
  EXPECT_EQ(items_[4]->loop.passes, 0u);
  EXPECT_EQ(items_[6]->loop.passes, 0u);
}

TEST_F(ShowLoopTest, EndlessLoopRunsUntilTheStopRequest) {
  Marker(1), Start(), Marker(2), End(1, 1, true), Marker(3);
  RecordingRuntime runtime;
  items_[2]->stop_on_pass = 10;
  items_[2]->stopper = &runtime;
  RunShowItems(items_, runtime);
  EXPECT_EQ(std::count(trace_.begin(), trace_.end(), 2), 10);
  EXPECT_EQ(std::count(trace_.begin(), trace_.end(), 3), 0);
}

TEST_F(ShowLoopTest, DisabledItemsTakeNoTurn) {
  Marker(1), Marker(2), Marker(3);
  items_[1]->disabled = true;
  EXPECT_EQ(Run(), (std::vector<int>{1, 3}));
}

TEST_F(ShowLoopTest, AllDisabledRunsNothing) {
  Marker(1), Marker(2);
  for (auto& item : items_) item->disabled = true;
  EXPECT_TRUE(Run().empty());
}

TEST_F(ShowLoopTest, StopBeforeTheFirstItemRunsNothing) {
  Marker(1);
  RecordingRuntime runtime;
  runtime.RequestStop();
  RunShowItems(items_, runtime);
  EXPECT_TRUE(trace_.empty());
}

TEST_F(ShowLoopTest, UnresolvedJumpTargetEndsTheWalkInsteadOfReadingOutsideTheList) {
  Marker(1), Start(), Marker(2);
  TimelineItem end{TimelineItem::LoopEnd};
  end.loop = {3, 0, false, -1};
  Add(end);
  Marker(3);
  EXPECT_EQ(Run(), (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace saver
