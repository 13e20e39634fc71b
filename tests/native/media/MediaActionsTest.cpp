#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingRuntime.h"
#include "media/MediaItem.h"
#include "media/PlayMediaItem.h"
#include "media/StopMediaItem.h"
#include "scene/MediaPlayers.h"

namespace saver {
namespace {
using testing_support::RecordingRuntime;

// Players that write each call down; a start may request the stop of the show, as the user does.
class RecordingPlayers : public CMediaPlayers {
 public:
  explicit RecordingPlayers(RecordingRuntime& runtime) : runtime_(runtime) {}
  Size ScreenSize() const override { return {640, 480}; }
  bool ExitButtonFlag() const override { return false; }
  bool Start(const CMediaItem&, const MediaStart& start) override {
    calls.push_back("start wait=" + std::to_string(start.wait) + " loop=" + std::to_string(start.loop) +
                    " limit=" + std::to_string(start.flash_time_limit));
    last_rect = start.rect;
    if (++starts == stop_show_at_start) runtime_.RequestStop();
    return plays;
  }
  void Stop(const CMediaItem&) override { calls.push_back("stop"); }
  void ReleaseAll() override { calls.push_back("release all"); }
  void Interrupt() override { calls.push_back("interrupt"); }

  std::vector<std::string> calls;
  Rect last_rect;
  int starts = 0;
  int stop_show_at_start = -1;
  bool plays = true;

 private:
  RecordingRuntime& runtime_;
};

class RuntimeWithPlayers : public RecordingRuntime {
 public:
  CMediaPlayers* Media() override { return &players; }
  RecordingPlayers players{*this};
};

std::vector<std::string> Repeated(const std::string& call, int times) { return std::vector<std::string>(times, call); }

TEST(PlayMediaAction, StartsByItsFlags) {
  const std::string blocking = "start wait=1 loop=0 limit=-1";
  const struct {
    const char* what;
    MediaKind kind;
    std::uint32_t wait, loop, repeat_count, repeat_forever, time_limited;
    int stop_show_at_start;
    std::vector<std::string> expected;
  } cases[] = {
      {"once without waiting, looping", kMediaWav, 0, 1, 3, 0, 0, -1, {"start wait=0 loop=1 limit=-1"}},
      {"without waiting the repeat count is not used", kMediaMP3, 0, 0, 5, 1, 0, -1, {"start wait=0 loop=0 limit=-1"}},
      {"waiting: three times in a row, never looping", kMediaWav, 1, 1, 3, 0, 0, -1, Repeated(blocking, 3)},
      {"waiting with a repeat count of 0", kMediaWav, 1, 0, 0, 0, 0, -1, {}},
      {"repeating forever until the show stops", kMediaMidi, 1, 0, 1, 1, 0, 4, Repeated(blocking, 4)},
      {"a stop ends the repetitions", kMediaAvi, 1, 0, 10, 0, 0, 2, Repeated(blocking, 2)},
      {"a time-limited movie is stopped after each start",
       kMediaFlash,
       1,
       0,
       2,
       0,
       1,
       -1,
       {"start wait=1 loop=0 limit=5000", "stop", "start wait=1 loop=0 limit=5000", "stop"}},
      {"without the time-limit flag the limit is none", kMediaFlash, 1, 0, 1, 0, 0, -1, {blocking}},
  };
  for (const auto& c : cases) {
    CMediaItem media;
    media.kind = c.kind;
    media.data = {1};
    CPlayMediaItem play;
    play.SetTarget(media);
    auto& p = play.Prop();
    p.wait = c.wait, p.loop = c.loop, p.repeat_count = c.repeat_count, p.repeat_forever = c.repeat_forever;
    p.time_limited = c.time_limited, p.time_limit = 5000, p.width = 10, p.height = 10;
    RuntimeWithPlayers runtime;
    runtime.players.stop_show_at_start = c.stop_show_at_start;
    int index = 0;
    EXPECT_NE(play.Execute(runtime, index), 0) << c.what;
    EXPECT_EQ(runtime.players.calls, c.expected) << c.what;
  }
}

TEST(PlayMediaAction, HandsTheTargetRectangleToThePlayer) {
  CMediaItem media;
  media.kind = kMediaFlash;
  media.data = {1};
  CPlayMediaItem play;
  play.SetTarget(media);
  play.Prop().width = 200, play.Prop().height = 100, play.Prop().centre_horizontally = 1;
  play.Prop().centre_vertically = 1;
  RuntimeWithPlayers runtime;
  int index = 0;
  play.Execute(runtime, index);
  EXPECT_EQ(runtime.players.last_rect, (Rect{220, 190, 420, 290}));  // on the players' 640 x 480 screen
}

TEST(PlayMediaAction, EndlessRepetitionsOfNothingWaitForTheStopInSlices) {
  CMediaItem media;
  media.data = {1};
  CPlayMediaItem play;
  play.SetTarget(media);
  play.Prop().wait = 1, play.Prop().repeat_forever = 1;
  RuntimeWithPlayers runtime;
  runtime.players.plays = false;  // muted, say
  runtime.after_sleep = [](RecordingRuntime& r) {
    if (r.sleeps.size() == 3) r.RequestStop();
  };
  int index = 0;
  play.Execute(runtime, index);
  EXPECT_EQ(runtime.players.starts, 1);
  EXPECT_EQ(runtime.sleeps, std::vector<std::uint32_t>(3, kSleepSliceMs));
}

TEST(MediaActions, StopMediaStopsItsTargetAndMissingPiecesDoNothing) {
  CMediaItem media;
  CStopMediaItem stop;
  stop.SetTarget(media);
  RuntimeWithPlayers runtime;
  int index = 0;
  EXPECT_NE(stop.Execute(runtime, index), 0);
  EXPECT_EQ(runtime.players.calls, std::vector<std::string>{"stop"});

  CStopMediaItem untargeted;
  CPlayMediaItem play_untargeted;
  RuntimeWithPlayers other;
  untargeted.Execute(other, index);
  play_untargeted.Execute(other, index);
  EXPECT_TRUE(other.players.calls.empty());

  CPlayMediaItem play;
  play.SetTarget(media);
  RecordingRuntime without_players;
  EXPECT_NE(play.Execute(without_players, index), 0);
  EXPECT_NE(stop.Execute(without_players, index), 0);
}

}  // namespace
}  // namespace saver
