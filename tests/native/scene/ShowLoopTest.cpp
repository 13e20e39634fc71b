#include "scene/ShowLoop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "RecordingRuntime.h"
#include "base/UserMessages.h"
#include "model/ValidationContext.h"
#include "scene/DelayItem.h"
#include "scene/FillScreenItem.h"
#include "scene/LoopEndItem.h"
#include "scene/LoopStartItem.h"
#include "support/CollectedMessages.h"

namespace saver {
namespace {

using saver::testing_support::CollectedMessages;
using testing_support::RecordingRuntime;

// Builds a timeline of real items, numbers and validates it as the package reader does, and runs
// it. Fill-screen items serve as markers: the runtime records their colours in order.
class ShowLoopTest : public ::testing::Test {
 protected:
  void Fill(std::uint32_t colour, bool disabled = false) {
    auto item = std::make_unique<CFillScreenItem>();
    item->Prop().colour = colour;
    item->SetDisabled(disabled);
    Append(std::move(item));
  }
  void Start() { Append(std::make_unique<CLoopStartItem>()); }
  CLoopEndItem& End(std::uint32_t repeat, bool endless = false) {
    auto item = std::make_unique<CLoopEndItem>();
    item->Prop().repeat_count = repeat;
    item->Prop().endless = endless ? 1 : 0;
    return static_cast<CLoopEndItem&>(Append(std::move(item)));
  }
  void Delay(std::uint32_t milliseconds) {
    auto item = std::make_unique<CDelayItem>();
    item->Prop().duration = milliseconds;
    Append(std::move(item));
  }
  CSceneItem& Append(std::unique_ptr<CSceneItem> item) {
    item->SetIndex(static_cast<std::int32_t>(items_.Size()));
    return items_.Append(std::move(item));
  }
  bool Validate() {
    const ValidationContext context{items_, messages_};
    for (const auto& item : items_)
      if (!item->Validate(context)) return false;
    return true;
  }
  std::vector<std::uint32_t> Run(RecordingRuntime& runtime) {
    EXPECT_TRUE(Validate());
    RunShowItems(items_, runtime);
    return runtime.fills;
  }
  std::vector<std::uint32_t> Run() {
    RecordingRuntime runtime;
    return Run(runtime);
  }

  CItemList items_;
  CollectedMessages messages_;
};

TEST_F(ShowLoopTest, RepeatCountIsThePassesInAll) {
  struct Case {
    std::uint32_t repeat;
    std::vector<std::uint32_t> fills;
  };
  const Case cases[] = {{0, {1, 2, 3}}, {1, {1, 2, 3}}, {3, {1, 2, 2, 2, 3}}};
  for (const Case& c : cases) {
    items_.Clear();
    Fill(1), Start(), Fill(2), End(c.repeat), Fill(3);
    EXPECT_EQ(Run(), c.fills) << c.repeat;
  }
}

TEST_F(ShowLoopTest, NestedLoopsRunTheInnerLoopAfreshOnEveryOuterPass) {
  Start(), Fill(1), Start(), Fill(2);
  CLoopEndItem& inner = End(2);
  Fill(3);
  CLoopEndItem& outer = End(3);
  Fill(4);
  EXPECT_EQ(Run(), (std::vector<std::uint32_t>{1, 2, 2, 3, 1, 2, 2, 3, 1, 2, 2, 3, 4}));
  EXPECT_EQ(inner.Prop().passes, 0u);
  EXPECT_EQ(outer.Prop().passes, 0u);
}

TEST_F(ShowLoopTest, SecondShowOfTheSameListRepeatsTheSameOrder) {
  Fill(1), Start(), Fill(2), End(2), Fill(3);
  const std::vector<std::uint32_t> first = Run();
  RecordingRuntime again;
  RunShowItems(items_, again);
  EXPECT_EQ(again.fills, first);
}

TEST_F(ShowLoopTest, EndlessLoopRunsUntilTheStopRequest) {
  Fill(1), Start(), Fill(2), Delay(100), End(1, true), Fill(3);
  RecordingRuntime runtime;
  runtime.after_sleep = [](RecordingRuntime& r) {
    if (r.sleeps.size() == 10) r.RequestStop();
  };
  const std::vector<std::uint32_t> fills = Run(runtime);
  EXPECT_EQ(std::count(fills.begin(), fills.end(), 2u), 10);
  EXPECT_EQ(std::count(fills.begin(), fills.end(), 3u), 0);
}

TEST_F(ShowLoopTest, DelaysSleepInSlicesAndAStopSkipsTheRest) {
  Fill(1), Delay(250), Fill(2), Delay(1000), Fill(3);
  RecordingRuntime runtime;
  runtime.after_sleep = [](RecordingRuntime& r) {
    if (r.sleeps.size() == 4) r.RequestStop();  // during the first slice of the second delay
  };
  EXPECT_EQ(Run(runtime), (std::vector<std::uint32_t>{1, 2}));
  EXPECT_EQ(runtime.sleeps, (std::vector<std::uint32_t>{100, 100, 50, 100}));
}

TEST_F(ShowLoopTest, DisabledItemsTakeNoTurn) {
  Fill(1), Fill(2, true), Fill(3);
  EXPECT_EQ(Run(), (std::vector<std::uint32_t>{1, 3}));
}

TEST_F(ShowLoopTest, AllDisabledRunsNothing) {
  Fill(1, true), Fill(2, true);
  EXPECT_TRUE(Run().empty());
}

TEST_F(ShowLoopTest, StopBeforeTheFirstItemRunsNothing) {
  Fill(1);
  RecordingRuntime runtime;
  runtime.RequestStop();
  EXPECT_TRUE(Run(runtime).empty());
}

TEST_F(ShowLoopTest, LoopEndWithoutLoopStartFailsValidation) {
  Fill(1), End(3), Fill(2);
  EXPECT_FALSE(Validate());
}

TEST_F(ShowLoopTest, RandomFillPaintsANewColourOnEveryPass) {
  auto item = std::make_unique<CFillScreenItem>();
  item->Prop().random = 1;
  Start();
  Append(std::move(item));
  End(4);
  const std::vector<std::uint32_t> fills = Run();
  ASSERT_EQ(fills.size(), 4u);
  for (std::size_t i = 1; i < fills.size(); ++i) EXPECT_NE(fills[i], fills[i - 1]);
}

}  // namespace
}  // namespace saver
