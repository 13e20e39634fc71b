#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>
#include <vector>

#include "MP3Fixture.h"
#include "base/win/ScopedWin.h"
#include "media/win/MP3Music.h"
#include "media/win/MP3Player.h"

namespace saver::win {
namespace {

using test::ReadMP3Fixture;
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Runs a call that may block; a call still blocked after a minute fails the whole run
// instead of hanging it.
template <typename Call>
void WithinAMinute(const char* what, Call call) {
  auto finished = std::async(std::launch::async, call);
  if (finished.wait_for(std::chrono::seconds(60)) != std::future_status::ready) {
    std::fprintf(stderr, "%s did not return within 60 s\n", what);
    std::_Exit(1);
  }
}

// Polls a condition for up to a minute.
template <typename Condition>
bool Eventually(Condition condition) {
  const auto start = Clock::now();
  while (!condition()) {
    if (SecondsSince(start) > 60) return false;
    Sleep(20);
  }
  return true;
}

class MP3MusicTest : public testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("SAVER_NO_WAVE_DEVICE")) GTEST_SKIP() << "no sound server in this run";
    ASSERT_TRUE(WaveDevicePresent()) << "no wave device: run under scripts/with-wine";
    handles_before_ = LiveCounts::handles;
  }
  void TearDown() override { EXPECT_EQ(LiveCounts::handles, handles_before_) << "handles leaked"; }

  // Stops the music and reports how long it took.
  static double TimedStop(CMP3Music& music) {
    const auto start = Clock::now();
    WithinAMinute("stop", [&] { music.Stop(); });
    return SecondsSince(start);
  }

  long handles_before_ = 0;
};

TEST_F(MP3MusicTest, WaitingPlayReturnsWhenTheTrackHasPlayedOut) {
  const auto track = ReadMP3Fixture("mpeg1_stereo_128k");  // 3 s
  CMP3Music music;
  const auto start = Clock::now();
  WithinAMinute("play", [&] { music.Play(track.data(), track.size(), true, false); });
  const double played = SecondsSince(start);
  std::printf("3 s track played in %.2f s\n", played);
  EXPECT_GT(played, 2.0) << "returned before the sound could have played";
  EXPECT_TRUE(music.HasTrack()) << "a finished thread stays until stopped";
  EXPECT_EQ(music.CompletedPasses(), 1);
  const double stop = TimedStop(music);
  std::printf("stop after the end took %.3f s\n", stop);
  EXPECT_FALSE(music.HasTrack());
}

TEST_F(MP3MusicTest, LoopingTrackPlaysAgainUntilStopped) {
  const auto track = ReadMP3Fixture("mpeg2_stereo_64k");  // 3 s
  CMP3Music music;
  WithinAMinute("play", [&] { music.Play(track.data(), track.size(), true, true); });
  EXPECT_GE(music.CompletedPasses(), 1) << "a waiting play returns after the first pass";
  EXPECT_TRUE(Eventually([&] { return music.CompletedPasses() >= 2; })) << "the track did not loop";
  const double stop = TimedStop(music);
  std::printf("stop while looping took %.3f s\n", stop);
  EXPECT_FALSE(music.HasTrack());
}

TEST_F(MP3MusicTest, StopCutsALongTrackShort) {
  const auto track = ReadMP3Fixture("mpeg1_stereo_long");  // 20 s, several chunks
  CMP3Music music;
  const auto start = Clock::now();
  music.Play(track.data(), track.size(), false, false);
  ASSERT_TRUE(music.HasTrack());
  Sleep(1500);
  EXPECT_EQ(WaitForSingleObject(music.DoneEvent(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "ended early";
  const double stop = TimedStop(music);
  const double total = SecondsSince(start);
  std::printf("stop during playback took %.3f s (%.2f s after play)\n", stop, total);
  EXPECT_LT(total, 15.0) << "stop waited for the 20 s track to end";
  EXPECT_EQ(WaitForSingleObject(music.DoneEvent(), 0), static_cast<DWORD>(WAIT_OBJECT_0));
}

TEST_F(MP3MusicTest, NewTrackReplacesThePlayingOne) {
  const auto first = ReadMP3Fixture("mpeg1_stereo_long");
  const auto second = ReadMP3Fixture("mpeg1_mono_64k");
  CMP3Music music;
  music.Play(first.data(), first.size(), false, true);
  Sleep(500);
  const auto start = Clock::now();
  WithinAMinute("play", [&] { music.Play(second.data(), second.size(), true, false); });
  std::printf("replacing a looping 20 s track with a 3 s one took %.2f s\n", SecondsSince(start));
  EXPECT_EQ(music.CompletedPasses(), 1);
  TimedStop(music);
}

TEST_F(MP3MusicTest, NothingStartsWithoutData) {
  CMP3Music music;
  music.Play(nullptr, 1000, true, true);
  EXPECT_FALSE(music.HasTrack());
  EXPECT_LT(TimedStop(music), 5.0);
}

TEST_F(MP3MusicTest, UndecodableLoopingTrackReleasesAWaitingPlay) {
  const std::vector<std::uint8_t> silence(30000, 0);  // no frame header anywhere
  CMP3Music music;
  WithinAMinute("play", [&] { music.Play(silence.data(), silence.size(), true, true); });
  EXPECT_EQ(music.CompletedPasses(), 0);
  TimedStop(music);
  EXPECT_FALSE(music.HasTrack());
}

// Run by its own ctest entry with the sound server out of reach (see CMakeLists.txt).
TEST(MP3MusicWithoutDevice, PlayIsSilentAndLeavesNoTrack) {
  if (!std::getenv("SAVER_NO_WAVE_DEVICE")) GTEST_SKIP() << "needs a process without a sound server";
  ASSERT_FALSE(WaveDevicePresent());
  const auto track = ReadMP3Fixture("mpeg1_stereo_128k");
  CMP3Music music;
  WithinAMinute("play", [&] { music.Play(track.data(), track.size(), true, true); });
  EXPECT_FALSE(music.HasTrack());
  music.Stop();
  EXPECT_FALSE(music.HasTrack());
}

}  // namespace
}  // namespace saver::win
