#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>

#include "base/RandomRange.h"
#include "base/RandomSeed.h"
#include "scene/PathProperty.h"

namespace saver {
namespace {

const ScreenMetrics kScreen{{1024, 768}, {1024, 768}};

// Fixed clocks, so that a path's draws depend only on its seed.
RandomSeedSources FixedSources(std::uint32_t tick = 123456, std::uint32_t ms = 789, std::int32_t times = 5000) {
  return {[tick] { return tick; }, [ms] { return ms; }, [times] { return times; }};
}

Point Start(const CPathProperty& path) { return {path.start_x, path.start_y}; }
Point End(const CPathProperty& path) { return {path.end_x, path.end_y}; }
Point Current(const CPathProperty& path) { return {path.current_x, path.current_y}; }

CPathProperty PathWithModes(std::int32_t sx, std::int32_t sy, std::int32_t ex, std::int32_t ey) {
  CPathProperty path;
  path.modes = {sx, sy, ex, ey};
  return path;
}

TEST(PathComputeTest, FixedModesPlaceTheObjectOnTheScreen) {
  struct Case {
    std::int32_t mode;
    std::int32_t expected_x;  // for a 301-wide object on 1024
    std::int32_t expected_y;  // for a 100-high object on 768
  };
  const Case cases[] = {
      {kModeEdgeStart, 0, 0},
      {kModeCentre, 512 - 150, 384 - 50},
      {kModeEdgeEnd, 1024 - 301, 768 - 100},
      {kModeStored, 17, -9},
  };
  const auto sources = FixedSources();
  for (const Case& c : cases) {
    // The end keeps another mode, so the start mode is computed even when it is 5.
    CPathProperty path = PathWithModes(c.mode, c.mode, kModeEdgeStart, kModeEdgeStart);
    path.start_x = 17;
    path.start_y = -9;
    path.Compute({301, 100}, kScreen, sources);
    EXPECT_EQ(path.start_x, c.expected_x) << c.mode;
    EXPECT_EQ(path.start_y, c.expected_y) << c.mode;
    EXPECT_EQ(path.current_x, c.expected_x) << c.mode;
    EXPECT_EQ(path.current_y, c.expected_y) << c.mode;
  }
}

TEST(PathComputeTest, StoredPointsOnlyGetTheirStepSigns) {
  struct Case {
    Point start, end;
    std::int32_t step_x, step_y;
    std::int32_t expected_step_x, expected_step_y;
    bool horizontal;
  };
  const Case cases[] = {
      {{0, 0}, {100, 50}, 10, 5, 10, 5, true},
      {{100, 50}, {0, 0}, 10, 5, -10, -5, true},
      {{100, 50}, {0, 0}, -10, -5, -10, -5, true},
      {{0, 0}, {100, 50}, -10, -5, 10, 5, true},
      // Equal ends leave the step as it is, whatever its sign.
      {{40, 0}, {40, 100}, -3, 2, -3, 2, false},
      {{40, 100}, {40, 100}, 7, -7, 7, -7, false},
  };
  const auto sources = FixedSources();
  for (const Case& c : cases) {
    CPathProperty path;
    path.start_x = c.start.x, path.start_y = c.start.y;
    path.end_x = c.end.x, path.end_y = c.end.y;
    path.step_x = c.step_x, path.step_y = c.step_y;
    path.current_x = 999, path.current_y = 999;
    path.Compute({301, 100}, kScreen, sources);
    EXPECT_EQ(Start(path), c.start);
    EXPECT_EQ(End(path), c.end);
    EXPECT_EQ(path.step_x, c.expected_step_x) << c.start.x << "," << c.end.x;
    EXPECT_EQ(path.step_y, c.expected_step_y) << c.start.y << "," << c.end.y;
    EXPECT_EQ(path.horizontal != 0, c.horizontal);
    EXPECT_EQ(Current(path), c.start);
  }
}

TEST(PathComputeTest, FreeMovementKeepsTheStoredPoints) {
  CPathProperty path = PathWithModes(kModeCentre, kModeRandom, kModeEdgeEnd, kModeRandomInside);
  path.free_movement = 1;
  path.start_x = 5, path.start_y = 6, path.end_x = 7, path.end_y = 8;
  path.Compute({301, 100}, kScreen, FixedSources());
  EXPECT_EQ(path.start_x, 5);
  EXPECT_EQ(path.start_y, 6);
  EXPECT_EQ(path.end_x, 7);
  EXPECT_EQ(path.end_y, 8);
  EXPECT_EQ(Current(path), (Point{5, 6}));
}

TEST(PathComputeTest, EveryComputeAdvancesTheSeedBy100) {
  CPathProperty path;
  path.seed = 4000;
  path.Compute({10, 10}, kScreen, FixedSources());
  path.Compute({10, 10}, kScreen, FixedSources());
  EXPECT_EQ(path.seed, 4200u);
}

// The random modes draw, in the order start x, start y, end x, end y, from one CRandomRange built
// from the path's seed mixed with the clocks (the colour draw's mixing).
TEST(PathComputeTest, RandomModeDrawsInCoordinateOrderFromTheMixedSeed) {
  const ScreenMetrics screen{{1024, 768}, {1280, 1024}};  // the draws span the primary metric
  const Size object{301, 100};
  for (std::uint32_t seed : {1u, 77u, 31337u, 4000000000u}) {
    const auto sources = FixedSources(seed * 3, seed % 1000, 4321);
    CPathProperty path = PathWithModes(kModeRandom, kModeRandom, kModeRandom, kModeRandom);
    path.seed = seed;
    std::uint32_t expected_seed = seed;
    const CRandomRange reference(MixRandomSeed(expected_seed, sources));
    const std::int32_t expected[4] = {
        reference.Next() % (1280 + 301) - 301,
        reference.Next() % (1024 + 100) - 100,
        reference.Next() % (1280 + 301) - 301,
        reference.Next() % (1024 + 100) - 100,
    };
    path.Compute(object, screen, sources);
    EXPECT_EQ(path.start_x, expected[0]) << seed;
    EXPECT_EQ(path.start_y, expected[1]) << seed;
    EXPECT_EQ(path.end_x, expected[2]) << seed;
    EXPECT_EQ(path.end_y, expected[3]) << seed;
  }
}

TEST(PathComputeTest, RandomModeReachesFromFullyOffTheLeftToTheRightEdge) {
  CPathProperty path = PathWithModes(kModeRandom, kModeStored, kModeStored, kModeStored);
  int lowest = INT_MAX, highest = INT_MIN;
  for (std::uint32_t tick = 0; tick < 3000; ++tick) {
    path.Compute({301, 100}, kScreen, FixedSources(tick * 7919));
    lowest = std::min(lowest, path.start_x);
    highest = std::max(highest, path.start_x);
  }
  EXPECT_GE(lowest, -301);
  EXPECT_LT(lowest, -250);
  EXPECT_LT(highest, 1024);
  EXPECT_GT(highest, 970);
}

TEST(PathComputeTest, RandomInsideModeStaysStrictlyInsideTheScreen) {
  CPathProperty path = PathWithModes(kModeRandomInside, kModeRandomInside, kModeRandomInside,
                                     kModeRandomInside);
  for (std::uint32_t tick = 0; tick < 2000; ++tick) {
    path.Compute({301, 100}, kScreen, FixedSources(tick * 104729));
    ASSERT_GT(path.start_x, 0);
    ASSERT_LT(path.start_x, 1024 - 301);
    ASSERT_GT(path.start_y, 0);
    ASSERT_LT(path.start_y, 768 - 100);
    ASSERT_GT(path.end_x, 0);
    ASSERT_LT(path.end_x, 1024 - 301);
  }
}

// Mode 4 starts from the coordinate's previous value: ((draw + previous) mod (Wm + w)) - w,
// redrawn until inside, so a path computed again wanders from where it was.
TEST(PathComputeTest, RandomInsideModeWandersFromThePreviousValue) {
  const auto sources = FixedSources(99, 500, 77);
  for (std::int32_t previous : {0, 250, -300, 5000}) {
    CPathProperty path = PathWithModes(kModeRandomInside, kModeStored, kModeStored, kModeStored);
    path.seed = 1234;
    path.start_x = previous;
    std::uint32_t expected_seed = 1234;
    const CRandomRange reference(MixRandomSeed(expected_seed, sources));
    std::int64_t expected = previous;
    do {
      expected = (reference.Next() + expected) % (1024 + 301) - 301;
    } while (!(0 < expected && expected < 1024 - 301));
    path.Compute({301, 100}, kScreen, sources);
    EXPECT_EQ(path.start_x, expected) << previous;
  }
}

TEST(PathComputeTest, RandomInsideModeOnAnObjectThatCannotFitGoesToTheEdge) {
  // As wide as the screen, wider, and one pixel narrower (no x with 0 < x < 1 exists).
  for (int width : {1024, 1500, 1023}) {
    CPathProperty path = PathWithModes(kModeRandomInside, kModeStored, kModeStored, kModeStored);
    path.start_x = 77;
    path.Compute({width, 10}, kScreen, FixedSources());
    EXPECT_EQ(path.start_x, 0) << width;
  }
  // A primary metric of zero gives draws that never land on the screen.
  CPathProperty path = PathWithModes(kModeRandomInside, kModeRandom, kModeStored, kModeStored);
  path.Compute({10, 10}, {{1024, 768}, {0, 0}}, FixedSources());
  EXPECT_EQ(path.start_x, 0);
}

TEST(PathStepTest, HorizontalPathFollowsTheLineAndEndsOnItsEnd) {
  CPathProperty path;
  path.end_x = 100, path.end_y = 50;
  path.step_x = 10;
  path.Compute({0, 0}, kScreen, FixedSources());
  EXPECT_FALSE(path.Step());
  EXPECT_EQ(Current(path), (Point{10, 5}));  // (50 * (10 - 100)) / 100 + 50
  for (int step = 2; step <= 9; ++step) {
    ASSERT_FALSE(path.Step()) << step;
    EXPECT_EQ(path.current_y, 50 * (step * 10 - 100) / 100 + 50) << step;
  }
  EXPECT_TRUE(path.Step());
  EXPECT_EQ(Current(path), (Point{100, 50}));
}

TEST(PathStepTest, StraightPathsEndOnceTheyPassTheirEnd) {
  struct Case {
    Point start, end;
    std::int32_t step_x;
    int steps_to_end;
    Point last;
  };
  const Case cases[] = {
      {{0, 0}, {95, 0}, 10, 10, {100, 0}},         // overshoots the end by 5
      {{100, 0}, {0, 100}, 10, 10, {0, 100}},      // backwards: the step is turned to -10
      {{0, 100}, {-30, 0}, 7, 5, {-35, -16}},      // y = (0 - 100) * (-35 + 30) / -30 + 0
      {{40, 0}, {40, 100}, 25, 4, {40, 100}},      // vertical: moves by step x along y
  };
  for (const Case& c : cases) {
    CPathProperty path;
    path.start_x = c.start.x, path.start_y = c.start.y;
    path.end_x = c.end.x, path.end_y = c.end.y;
    path.step_x = c.step_x;
    path.Compute({0, 0}, kScreen, FixedSources());
    for (int step = 1; step < c.steps_to_end; ++step) ASSERT_FALSE(path.Step()) << c.end.x << " " << step;
    EXPECT_TRUE(path.Step()) << c.end.x;
    EXPECT_EQ(Current(path), c.last) << c.end.x;
  }
}

TEST(PathStepTest, VerticalPathWithUncorrectedNegativeStepEndsAtOnce) {
  CPathProperty path;
  path.start_x = path.end_x = 50;
  path.end_y = 100;
  path.step_x = -3;
  path.Compute({0, 0}, kScreen, FixedSources());
  EXPECT_EQ(path.step_x, -3);
  EXPECT_TRUE(path.Step());
  EXPECT_EQ(Current(path), (Point{50, -3}));
}

TEST(PathStepTest, CoincidingEndsStepOnceVerticallyAndEnd) {
  CPathProperty path;
  path.start_x = path.end_x = 30;
  path.start_y = path.end_y = 40;
  path.step_x = 6;
  path.Compute({0, 0}, kScreen, FixedSources());
  EXPECT_TRUE(path.Step());
  EXPECT_EQ(Current(path), (Point{30, 46}));
}

TEST(PathStepTest, FreeMovementEndsWhenItsTestsHold) {
  struct Case {
    std::int32_t x_test, y_test, both;
    std::int32_t limit_x, limit_y;
    Point step;
    int steps_to_end;
  };
  const Case cases[] = {
      {0, 0, 0, 500, 100000, {10, -4}, 51},   // x > 500 whatever y does
      {1, 1, 0, -100, -20, {-3, -1}, 21},     // y < -20 comes first (step 21), x < -100 at 34
      {1, 1, 1, -100, -20, {-3, -1}, 34},     // both: at step 34 x = -102 and y = -34
      {2, 0, 0, 90, 100000, {10, 0}, 9},      // x == 90
      {3, 2, 1, 0, 12, {1, 4}, 3},            // x != 0 and y == 12
  };
  for (const Case& c : cases) {
    CPathProperty path;
    path.free_movement = 1;
    path.x_test = c.x_test, path.y_test = c.y_test, path.both_tests = c.both;
    path.limit_x = c.limit_x, path.limit_y = c.limit_y;
    path.step_x = c.step.x, path.step_y = c.step.y;
    path.Compute({0, 0}, kScreen, FixedSources());
    int steps = 1;
    while (!path.Step() && steps < 1000) ++steps;
    EXPECT_EQ(steps, c.steps_to_end) << c.x_test << c.y_test << c.both;
    EXPECT_EQ(Current(path), (Point{c.step.x * steps, c.step.y * steps}));
  }
}

TEST(PathStepTest, ExtremeCoordinatesWrapWithoutOverflowing) {
  CPathProperty path;
  path.start_x = INT_MIN, path.start_y = INT_MAX;
  path.end_x = INT_MAX, path.end_y = INT_MIN;
  path.step_x = INT_MIN;  // turned towards the end: its negation wraps onto itself
  path.Compute({0, 0}, kScreen, FixedSources());
  path.Step();  // must neither trap nor overflow (checked by the sanitizers)
  path.horizontal = 1;
  path.end_x = path.start_x;  // a horizontal flag with no line to follow
  EXPECT_TRUE(path.Step());
}

}  // namespace
}  // namespace saver
