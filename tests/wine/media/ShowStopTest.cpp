// Ending a show whose scene thread is held by a blocking play: the stop arrives at every stage of
// the play (before it begins, while its file is written and its device opened, while it plays) and
// must end the thread promptly, leaving no temporary file and no handle behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "MediaFixtures.h"
#include "MP3Fixture.h"
#include "base/UserMessages.h"
#include "base/win/ScopedWin.h"
#include "media/MediaItem.h"
#include "media/win/MP3Player.h"
#include "media/win/ScenePlayers.h"
#include "scene/win/SceneThread.h"

namespace saver::win {
namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

class NoMessages : public CUserMessages {
 public:
  void ShowError(std::string_view text) override { ADD_FAILURE() << "message shown: " << text; }
};

// The saver window's part: a plain window on this thread, which answers the scene thread.
class WindowHost : public CShowHost {
 public:
  explicit WindowHost(HWND window) : window_(window) {}
  HWND Handle() const override { return window_; }
  void Fill(COLORREF) override {}
  void ShowExitButton() override {}
  void ArmLink(std::string, int) override {}

 private:
  HWND window_;
};

std::set<std::wstring> MediaFilesInTemp() {
  wchar_t folder[MAX_PATH + 1]{};
  GetTempPathW(MAX_PATH + 1, folder);
  std::set<std::wstring> names;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((std::wstring(folder) + L"Ssd*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.insert(found.cFileName);
  while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

// Ends the whole run when a stop hangs, instead of hanging it.
class Watchdog {
 public:
  explicit Watchdog(const char* what) : what_(what), done_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = CreateThread(nullptr, 0, &Watch, this, 0, nullptr);
  }
  ~Watchdog() {
    SetEvent(done_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    CloseHandle(done_);
  }

 private:
  static DWORD WINAPI Watch(LPVOID self) {
    auto* watchdog = static_cast<Watchdog*>(self);
    if (WaitForSingleObject(watchdog->done_, 60000) == WAIT_TIMEOUT) {
      std::fprintf(stderr, "%s: the stop did not return within 60 s\n", watchdog->what_);
      std::_Exit(1);
    }
    return 0;
  }
  const char* what_;
  HANDLE done_;
  HANDLE thread_ = nullptr;
};

struct BlockingPlay {
  const char* name;
  MediaKind kind;
  std::vector<std::uint8_t> (*data)();
  bool loop;  // with the wait: the play never ends by itself
};

std::vector<std::uint8_t> LongTrack() { return test::ReadMP3Fixture("mpeg1_stereo_long"); }
std::vector<std::uint8_t> LongSound() { return test::ToneWav(20); }
std::vector<std::uint8_t> Video() { return test::ReadVideoFixture("two_seconds"); }

// Moments after the show's start at which the stop comes, in milliseconds: before the play
// begins, while its file is written and its device opened, and while it plays.
constexpr DWORD kStopMoments[] = {0, 1, 2, 5, 10, 20, 35, 50, 75, 100, 150, 250, 400, 700, 1000};
// Generous: the aim is a tenth of this, and a stop that misses its play waits for the play's end,
// which is 20 s or never.
constexpr double kStopLimitMs = 3000;

class ShowStopTest : public testing::TestWithParam<BlockingPlay> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WaveDevicePresent()) << "no wave device: run under scripts/with-wine";
    window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 320, 240, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override { DestroyWindow(window_); }

  HWND window_ = nullptr;
};

TEST_P(ShowStopTest, StopAtEveryStageOfABlockingPlayEndsTheShow) {
  const BlockingPlay& play = GetParam();
  CMediaItem media;
  media.kind = play.kind;
  media.data = play.data();
  MediaStart start;
  start.wait = true;
  start.loop = play.loop;
  const std::set<std::wstring> files_before = MediaFilesInTemp();
  const long handles_before = LiveCounts::handles;
  double slowest = 0;
  for (const DWORD moment : kStopMoments) {
    SCOPED_TRACE(moment);
    WindowHost host(window_);
    NoMessages messages;
    std::uint32_t times = 1000;
    {
      CSceneThread thread(host, &times, false, [&](CSceneRuntime& runtime) { runtime.Media()->Start(media, start); });
      thread.UseMedia(std::make_unique<CScenePlayers>(MediaSettings{window_, false, false}, thread.StopEvent(), messages));
      ASSERT_TRUE(thread.Start());
      Sleep(moment);
      EXPECT_NE(WaitForSingleObject(thread.ExitedEvent(), 0), WAIT_OBJECT_0) << "the play ended by itself";
      const Watchdog watchdog(play.name);
      const auto stopping = Clock::now();
      thread.Stop();
      const double took = MillisecondsSince(stopping);
      slowest = std::max(slowest, took);
      EXPECT_LT(took, kStopLimitMs);
      EXPECT_EQ(WaitForSingleObject(thread.ExitedEvent(), 0), WAIT_OBJECT_0);
    }
    EXPECT_EQ(MediaFilesInTemp(), files_before) << "a temporary media file was left";
    EXPECT_EQ(LiveCounts::handles, handles_before) << "handles leaked";
  }
  std::printf("%s: the slowest of %zu stops took %.0f ms\n", play.name, std::size(kStopMoments), slowest);
}

INSTANTIATE_TEST_SUITE_P(BlockingPlays, ShowStopTest,
                         testing::Values(BlockingPlay{"waited MP3", kMediaMP3, &LongTrack, false},
                                         BlockingPlay{"waited WAV", kMediaWav, &LongSound, false},
                                         BlockingPlay{"looping blocking video", kMediaAvi, &Video, true},
                                         BlockingPlay{"waited MIDI", kMediaMidi, &test::OneNoteMidi, false}),
                         [](const testing::TestParamInfo<BlockingPlay>& info) {
                           std::string name = info.param.name;
                           std::replace(name.begin(), name.end(), ' ', '_');
                           return name;
                         });

}  // namespace
}  // namespace saver::win
