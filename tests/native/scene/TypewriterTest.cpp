#include "scene/Typewriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingRuntime.h"

namespace saver {
namespace {

using testing_support::RecordingRuntime;

TEST(TypewriterPauseTest, IsTwoSecondsLessTheDelay) {
  struct Case {
    std::int32_t delay;
    std::uint32_t pause;
  };
  const Case cases[] = {{2000, 0}, {1950, 50}, {0, 2000}, {-500, 2500}, {1, 1999},
                        // Above 2000 the pause would be negative: no pause at all.
                        {2001, 0}, {50000, 0}, {INT32_MAX, 0}};
  for (const Case& c : cases) EXPECT_EQ(TypewriterPause(c.delay), c.pause) << c.delay;
}

// The prefixes typed out one step after another, as the loop calls them.
std::vector<std::string> TypedPrefixes(std::string_view text) {
  std::vector<std::string> prefixes;
  for (std::size_t index = 0;; ++index) {
    const auto prefix = NextTypewriterPrefix(text, index);
    if (!prefix) break;
    prefixes.emplace_back(prefix->empty() ? "<whole>" : std::string(*prefix));
    if (index + 1 >= text.size()) break;  // the step that showed the last character ends the loop
  }
  return prefixes;
}

TEST(TypewriterPrefixTest, LineBreaksTakeNoStepOfTheirOwn) {
  struct Case {
    std::string text;
    std::vector<std::string> prefixes;
  };
  const Case cases[] = {
      {"ab\r\nc", {"a", "ab", "ab\r\nc"}},
      {"x", {"x"}},
      {"\r\nhi", {"\r\nh", "\r\nhi"}},
      {"a\r\n", {"a", "<whole>"}},  // only line breaks left: the whole text
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(TypedPrefixes(c.text), c.prefixes) << c.text;
}

TEST(TypewriterRectTest, KeepsCentredAndRightAlignedPrefixesInPlace) {
  const Point at{100, 50};
  EXPECT_EQ(TypewriterRect(1, at, 200, {60, 12}), Rect::FromSize(170, 50, 60, 12));
  EXPECT_EQ(TypewriterRect(1, at, 201, {60, 12}), Rect::FromSize(170, 50, 60, 12));
  EXPECT_EQ(TypewriterRect(2, at, 200, {60, 12}), Rect::FromSize(240, 50, 60, 12));
  EXPECT_EQ(TypewriterRect(1, at, 200, {200, 24}), Rect::FromSize(100, 50, 200, 24));
  EXPECT_FALSE(TypewriterRect(0, at, 200, {60, 12}).has_value());
}

TEST(RunTypewriterTest, PausesBetweenCharactersInSlices) {
  struct Case {
    std::int32_t delay;
    std::vector<std::uint32_t> sleeps_per_step;
  };
  const Case cases[] = {
      {2000, {}},
      {1950, {50}},
      {1750, {100, 100, 50}},
      {0, std::vector<std::uint32_t>(20, 100)},
      {2500, {}},
  };
  for (const Case& c : cases) {
    RecordingRuntime runtime;
    std::vector<std::size_t> indices;
    RunTypewriter(runtime, c.delay, [&](std::size_t& index) {
      indices.push_back(index);
      return indices.size() < 3;  // three characters
    });
    EXPECT_EQ(indices, (std::vector<std::size_t>{0, 1, 2})) << c.delay;
    std::vector<std::uint32_t> expected;
    for (int step = 0; step < 2; ++step) {
      expected.insert(expected.end(), c.sleeps_per_step.begin(), c.sleeps_per_step.end());
    }
    EXPECT_EQ(runtime.sleeps, expected) << c.delay;
  }
}

TEST(RunTypewriterTest, ContinuesFromTheIndexAStepMovedTo) {
  RecordingRuntime runtime;
  std::vector<std::size_t> indices;
  RunTypewriter(runtime, 2000, [&](std::size_t& index) {
    indices.push_back(index);
    if (index == 1) index = 3;  // skipped two line-break characters
    return index < 5;
  });
  EXPECT_EQ(indices, (std::vector<std::size_t>{0, 1, 4, 5}));
}

TEST(RunTypewriterTest, StopEndsThePauseWithinASlice) {
  RecordingRuntime runtime;
  runtime.after_sleep = [](RecordingRuntime& r) { r.RequestStop(); };
  int steps = 0;
  RunTypewriter(runtime, 0, [&](std::size_t&) { return ++steps < 100; });
  EXPECT_EQ(steps, 1);
  EXPECT_EQ(runtime.sleeps, std::vector<std::uint32_t>{100});

  RecordingRuntime stopped;
  stopped.RequestStop();
  steps = 0;
  RunTypewriter(stopped, 0, [&](std::size_t&) { return ++steps < 100; });
  EXPECT_EQ(steps, 0);
}

}  // namespace
}  // namespace saver
