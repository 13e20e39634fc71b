#include "scene/win/SceneThread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <vector>

#include "model/ItemList.h"
#include "scene/DelayItem.h"
#include "scene/FillScreenItem.h"
#include "scene/ShowLoop.h"

namespace saver::win {
namespace {

// Records what the scene thread asks of its window.
class RecordingHost : public CShowHost {
 public:
  HWND Handle() const override { return nullptr; }
  void Fill(COLORREF colour) override {
    std::lock_guard lock(lock_);
    fills_.push_back(colour);
  }
  void ShowExitButton() override { ++exit_button_shows_; }
  void ArmLink(std::string, int) override {}
  std::vector<COLORREF> Fills() {
    std::lock_guard lock(lock_);
    return fills_;
  }
  int exit_button_shows_ = 0;

 private:
  std::mutex lock_;
  std::vector<COLORREF> fills_;
};

// A show of fill, delay, fill on its own thread, with its recording host.
struct FillDelayFill {
  FillDelayFill(COLORREF first, std::uint32_t delay, COLORREF second)
      : thread(host, &times, false, [this](CSceneRuntime& runtime) { RunShowItems(items, runtime); }) {
    auto fill = std::make_unique<CFillScreenItem>();
    fill->Prop().colour = first;
    items.Append(std::move(fill));
    auto wait = std::make_unique<CDelayItem>();
    wait->Prop().duration = delay;
    items.Append(std::move(wait));
    fill = std::make_unique<CFillScreenItem>();
    fill->Prop().colour = second;
    items.Append(std::move(fill));
  }
  CItemList items;
  RecordingHost host;
  std::uint32_t times = 1000;
  CSceneThread thread;
};

bool WaitFor(HANDLE event, DWORD milliseconds) { return WaitForSingleObject(event, milliseconds) == WAIT_OBJECT_0; }

TEST(SceneThreadTest, ShowStartsBlackThenFillsInOrderAndEnds) {
  FillDelayFill show(RGB(255, 0, 0), 30, RGB(0, 255, 0));
  CSceneThread& thread = show.thread;
  RecordingHost& host = show.host;
  ASSERT_TRUE(thread.Start());
  ASSERT_TRUE(WaitFor(thread.ExitedEvent(), 30000));
  EXPECT_EQ(host.Fills(), (std::vector<COLORREF>{RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 255, 0)}));
  EXPECT_EQ(host.exit_button_shows_, 1);
}

TEST(SceneThreadTest, StopEndsALongDelayAndSkipsTheRest) {
  FillDelayFill show(RGB(1, 2, 3), 600000, RGB(4, 5, 6));
  CSceneThread& thread = show.thread;
  RecordingHost& host = show.host;
  ASSERT_TRUE(thread.Start());
  // Wait until the show is inside the delay: the first fill has been made.
  for (int i = 0; i < 3000 && host.Fills().size() < 2; ++i) Sleep(10);
  ASSERT_EQ(host.Fills().size(), 2u);
  const auto before = std::chrono::steady_clock::now();
  thread.Stop();
  const auto after = std::chrono::steady_clock::now();
  EXPECT_TRUE(WaitFor(thread.ExitedEvent(), 0));
  EXPECT_EQ(host.Fills().back(), RGB(1, 2, 3));
  std::printf("stop during a delay took %.1f ms\n",
              std::chrono::duration<double, std::milli>(after - before).count());
}

TEST(SceneThreadTest, StopReturnsFromAPacedWaitOfHours) {
  RecordingHost host;
  std::uint32_t times = 0xFFFFFFFFu;  // a wait of 0xFFFFFFFF polls per call
  bool waited = false;
  CSceneThread thread(host, &times, false, [&waited](CSceneRuntime& runtime) {
    for (int i = 0; i < 1000; ++i) runtime.PacedWait(0, 100000);
    waited = true;
  });
  ASSERT_TRUE(thread.Start());
  Sleep(50);
  thread.Stop();
  EXPECT_TRUE(WaitFor(thread.ExitedEvent(), 0));
  EXPECT_TRUE(waited);  // every remaining wait returned at once
}

TEST(SceneThreadTest, StopIsHarmlessBeforeTheStartAndAfterTheEnd) {
  FillDelayFill show(RGB(9, 9, 9), 0, RGB(9, 9, 9));
  CSceneThread& thread = show.thread;
  RecordingHost& host = show.host;
  thread.Stop();  // not started: nothing to stop, returns at once
  ASSERT_TRUE(thread.Start());
  ASSERT_TRUE(WaitFor(thread.ExitedEvent(), 30000));
  thread.Stop();  // already ended: returns at once
  thread.Stop();
  EXPECT_FALSE(host.Fills().empty());
}

TEST(SceneThreadTest, CountingModeCountsPollsUntilStopped) {
  RecordingHost host;
  std::uint32_t times = 12345;
  CSceneThread counter(host, &times, true, nullptr);
  ASSERT_TRUE(counter.Start());
  Sleep(200);
  counter.Stop();
  EXPECT_GT(times, 0u);
  EXPECT_NE(times, 12345u);
  EXPECT_TRUE(host.Fills().empty());  // counting draws nothing
  std::printf("event polls in about 200 ms: %u\n", times);
}

}  // namespace
}  // namespace saver::win
