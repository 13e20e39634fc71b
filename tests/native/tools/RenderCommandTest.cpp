// saverpkg render: shows played off screen give the pictures the engine draws, at the times the
// show's own clock says, and bad input fails with a message.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ToolTestSupport.h"
#include "imaging/DecodePicture.h"
#include "imaging/PictureWriters.h"
#include "support/CollectedMessages.h"

namespace saver::tool::testing {
namespace {

using saver::testing_support::CollectedMessages;

constexpr Size kScreen{64, 48};
constexpr std::uint32_t kBackground = 0x00604020;  // COLORREF of "#204060"
constexpr char kBackgroundText[] = "#204060";

// A picture of distinct pixels, so that a misplaced or mirrored copy shows.
CPixelBuffer Pattern(int width, int height) {
  CPixelBuffer pixels(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto red = static_cast<std::uint32_t>(16 + x * 23 % 200), green = static_cast<std::uint32_t>(16 + y * 11 % 200);
      const auto blue = static_cast<std::uint32_t>(16 + (x + y) % 2 * 64);
      pixels.SetPixel(x, y, red | green << 8 | blue << 16);
    }
  }
  return pixels;
}

CPixelBuffer Read(const std::filesystem::path& png) {
  CollectedMessages messages;
  Size size;
  auto pixels = DecodePictureFile(png.string(), size, messages);
  return pixels ? std::move(*pixels) : CPixelBuffer();
}

// The screen filled with the background and `picture` drawn at `at`.
CPixelBuffer Composed(const CPixelBuffer& picture, Point at) {
  CPixelBuffer screen(kScreen.width, kScreen.height);
  for (int y = 0; y < kScreen.height; ++y) {
    for (int x = 0; x < kScreen.width; ++x) {
      const int px = x - at.x, py = y - at.y;
      const bool inside = px >= 0 && py >= 0 && px < picture.Width() && py < picture.Height();
      screen.SetPixel(x, y, inside ? picture.PixelAt(px, py) : kBackground);
    }
  }
  return screen;
}

Json Fill(const char* colour) { return {{"kind", "fill"}, {"colour", {{"value", colour}}}}; }
Json Delay(int milliseconds) { return {{"kind", "delay"}, {"duration", milliseconds}}; }
Json Point(int x, int y) { return {{"x", x}, {"y", y}, {"x_mode", "value"}, {"y_mode", "value"}}; }
Json PictureItem() { return {{"kind", "picture"}, {"name", "p"}, {"file", "p.bmp"}}; }

// A scene of these items beside the pattern picture "p.bmp", rendered at the test screen's size.
struct Rendered {
  ScratchFolder folder;
  ToolRun run;
  std::filesystem::path Out(const std::string& file) const { return folder / "out" / file; }
};

void RenderScene(Rendered& rendered, const Json& items, std::vector<std::string> options = {}) {
  WriteBytes(rendered.folder / "p.bmp", EncodeBmp(Pattern(20, 12)));
  WriteJson(rendered.folder / "scene.json", Json{{"items", items}});
  std::vector<std::string> words = {"render", (rendered.folder / "scene.json").string(), "-o",
                                    (rendered.folder / "out").string(), "--size", "64x48"};
  words.insert(words.end(), options.begin(), options.end());
  rendered.run = RunSaverpkg(words);
}

std::string FrameName(int frame) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%06d.png", frame);
  return name;
}

// The show time the output reports for the show's end, in seconds; -1 when it reports none.
double ReportedEnd(const std::string& out) {
  const std::size_t at = out.find("the show ended at ");
  double seconds = -1.0;
  if (at != std::string::npos) std::sscanf(out.c_str() + at, "the show ended at %lf s", &seconds);
  return seconds;
}

int CountFrames(const Rendered& rendered) {
  int frames = 0;
  while (std::filesystem::exists(rendered.Out(FrameName(frames)))) ++frames;
  return frames;
}

class TransitionEndsOnThePicture : public ::testing::TestWithParam<const char*> {};

// Whatever the family, once the transition is over the picture stands at its place on the filled
// screen, and the transition's own frame and the show's last frame show exactly that.
TEST_P(TransitionEndsOnThePicture, AtItsPlaceOverTheFill) {
  const ::saver::Point at{9, 13};
  Rendered rendered;
  RenderScene(rendered, {Fill(kBackgroundText), PictureItem(),
                         {{"kind", "show_image"}, {"target", "p"},
                          {"path", {{"start", Point(at.x, at.y)}, {"effect", GetParam()}, {"speed", 300}}}},
                         Delay(300)});
  ASSERT_EQ(rendered.run.exit_code, 0) << rendered.run.err;
  const CPixelBuffer expected = Composed(Pattern(20, 12), at);
  EXPECT_EQ(Read(rendered.Out("transition-001.png")), expected);
  EXPECT_EQ(Read(rendered.Out(FrameName(CountFrames(rendered) - 1))), expected);
}

INSTANTIATE_TEST_SUITE_P(Families, TransitionEndsOnThePicture,
                         ::testing::Values("own_size", "fade in from black", "random dissolve in 4 x 4 blocks",
                                           "slide in from the left", "push up", "uncover to the right",
                                           "wipe downwards", "clockwise spiral", "colour morph",
                                           "roll from the top and bottom"));

// Frame k shows the screen at k / fps seconds of show time: the first fill until the delay after
// it has passed, then the second; a closing frame shows how the show left the screen.
TEST(RenderTiming, FramesFollowTheShowClock) {
  struct Case {
    int fps;
    int first_delay_ms;
    int second_delay_ms;
  };
  for (const Case c : {Case{10, 1000, 500}, Case{25, 240, 130}, Case{3, 2000, 1}}) {
    Rendered rendered;
    RenderScene(rendered, {Fill("#FF0000"), Delay(c.first_delay_ms), Fill("#0000FF"), Delay(c.second_delay_ms)},
                {"--fps", std::to_string(c.fps)});
    ASSERT_EQ(rendered.run.exit_code, 0) << rendered.run.err;
    const int show_ms = c.first_delay_ms + c.second_delay_ms;
    const int timed_frames = (show_ms * c.fps + 999) / 1000;  // frames at times before the end
    ASSERT_EQ(CountFrames(rendered), timed_frames + 1) << c.fps;
    for (int frame = 0; frame <= timed_frames; ++frame) {
      const bool first = frame * 1000 < c.first_delay_ms * c.fps;
      EXPECT_EQ(Read(rendered.Out(FrameName(frame))).PixelAt(kScreen.width / 2, kScreen.height / 2),
                first ? 0x000000FFu : 0x00FF0000u)
          << "fps " << c.fps << " frame " << frame;
    }
    EXPECT_DOUBLE_EQ(ReportedEnd(rendered.run.out), show_ms / 1000.0) << rendered.run.out;
  }
}

// A paced wait lasts its polls divided by the calibration count: a move's pause between steps
// grows with 100000 minus its step delay, and the show's length does not depend on --times.
TEST(RenderTiming, PacedWaitsLastTheirPollsOverTheCalibrationCount) {
  const auto move_show = [](int step_delay, const char* times) {
    Rendered rendered;
    RenderScene(rendered, {PictureItem(),
                           {{"kind", "move_image"}, {"target", "p"},
                            {"path", {{"start", Point(0, 10)}, {"end", Point(40, 10)}, {"step", {{"x", 5}, {"y", 1}}},
                                      {"step_delay", step_delay}}}}},
                {"--times", times, "--seconds", "60"});
    EXPECT_EQ(rendered.run.exit_code, 0) << rendered.run.err;
    return ReportedEnd(rendered.run.out);
  };
  const double short_pauses = move_show(95000, "10000000");
  ASSERT_GT(short_pauses, 0.0);
  EXPECT_DOUBLE_EQ(move_show(90000, "10000000"), 2 * short_pauses);
  EXPECT_DOUBLE_EQ(move_show(80000, "10000000"), 4 * short_pauses);
  EXPECT_DOUBLE_EQ(move_show(95000, "1000000"), short_pauses);
}

// A show longer than the time asked for is stopped there: the frames cover exactly that time.
TEST(RenderTiming, StopsAtTheTimeLimit) {
  constexpr int kHalfLoopMs = 700, kLimitMs = 2500, kFps = 4;
  Rendered rendered;
  RenderScene(rendered, {{{"kind", "loop_start"}}, Fill("#00FF00"), Delay(kHalfLoopMs), Fill("#FF00FF"),
                         Delay(kHalfLoopMs), {{"kind", "loop_end"}, {"endless", true}}},
              {"--seconds", "2.5", "--fps", std::to_string(kFps)});
  ASSERT_EQ(rendered.run.exit_code, 0) << rendered.run.err;
  ASSERT_EQ(CountFrames(rendered), kLimitMs * kFps / 1000);
  for (int frame = 0; frame < kLimitMs * kFps / 1000; ++frame) {
    const bool green = frame * 1000 / kFps % (2 * kHalfLoopMs) < kHalfLoopMs;
    EXPECT_EQ(Read(rendered.Out(FrameName(frame))).PixelAt(0, 0), green ? 0x0000FF00u : 0x00FF00FFu) << frame;
  }
  EXPECT_NE(rendered.run.out.find("stopped at 2.500 s"), std::string::npos) << rendered.run.out;
}

// A moved picture ends at the path's end with the window's background where it passed.
TEST(RenderMove, LeavesThePictureAtThePathsEnd) {
  struct Case {
    ::saver::Point from, to;
    int step;
  };
  for (const Case c : {Case{{0, 10}, {40, 10}, 10}, Case{{30, 30}, {2, 30}, 4}}) {
    Rendered rendered;
    RenderScene(rendered, {Fill(kBackgroundText), PictureItem(),
                           {{"kind", "move_image"}, {"target", "p"},
                            {"path", {{"start", Point(c.from.x, c.from.y)}, {"end", Point(c.to.x, c.to.y)},
                                      {"step", {{"x", c.step}, {"y", 1}}}, {"step_delay", 90000}}}}});
    ASSERT_EQ(rendered.run.exit_code, 0) << rendered.run.err;
    EXPECT_EQ(Read(rendered.Out(FrameName(CountFrames(rendered) - 1))), Composed(Pattern(20, 12), c.to))
        << c.from.x << " -> " << c.to.x;
  }
}

// A package and a saver file made of the scene render the same frames as the scene itself.
TEST(RenderInput, EveryFormOfAShowRendersAlike) {
  Rendered scene;
  RenderScene(scene, {Fill(kBackgroundText), PictureItem(),
                      {{"kind", "show_image"}, {"target", "p"},
                       {"path", {{"start", Point(3, 4)}, {"effect", "fade in from black"}}}},
                      Delay(200)});
  ASSERT_EQ(scene.run.exit_code, 0) << scene.run.err;
  const std::string json = (scene.folder / "scene.json").string();
  const std::string package = (scene.folder / "show.pkg").string();
  const std::string saver = (scene.folder / "show.scr").string();
  WriteBytes(scene.folder / "engine.scr", MakePaddedEngine());
  ASSERT_EQ(RunSaverpkg({"build", json, "-o", package}).exit_code, 0);
  ASSERT_EQ(RunSaverpkg({"make-scr", "--engine", (scene.folder / "engine.scr").string(), json, "-o", saver}).exit_code, 0);
  const int frames = CountFrames(scene);
  for (const std::string& input : {package, saver}) {
    const std::filesystem::path out = scene.folder / ("out-" + std::filesystem::path(input).extension().string().substr(1));
    const ToolRun run = RunSaverpkg({"render", input, "-o", out.string(), "--size", "64x48"});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    for (int frame = 0; frame < frames; ++frame) {
      EXPECT_EQ(ReadBytes(out / FrameName(frame)), ReadBytes(scene.Out(FrameName(frame)))) << input << " " << frame;
    }
    EXPECT_FALSE(std::filesystem::exists(out / FrameName(frames))) << input;
  }
}

// Texts cannot be drawn without the Windows fonts: their actions are left out with a note and the
// rest of the show plays.
TEST(RenderNotes, SkipsTextsAndPlaysTheRest) {
  Rendered rendered;
  RenderScene(rendered, {Fill(kBackgroundText), {{"kind", "text"}, {"name", "t"}, {"text", "hello"}},
                         {{"kind", "show_image"}, {"target", "t"}}, PictureItem(),
                         {{"kind", "show_image"}, {"target", "p"}, {"path", {{"start", Point(1, 2)}}}}});
  ASSERT_EQ(rendered.run.exit_code, 0) << rendered.run.err;
  EXPECT_NE(rendered.run.out.find("note: 1 action(s) on texts skipped"), std::string::npos) << rendered.run.out;
  EXPECT_EQ(Read(rendered.Out(FrameName(CountFrames(rendered) - 1))), Composed(Pattern(20, 12), {1, 2}));
}

// Rendering again into a folder removes the frames of the earlier rendering, and nothing else.
TEST(RenderOutput, ReplacesAnEarlierRenderingOnly) {
  Rendered rendered;
  RenderScene(rendered, {Fill("#FF0000"), Delay(900)});
  ASSERT_EQ(rendered.run.exit_code, 0) << rendered.run.err;
  const int long_show = CountFrames(rendered);
  WriteBytes(rendered.Out("notes.txt"), {'k'});
  WriteBytes(rendered.Out("frame-1.png"), {'k'});
  RenderScene(rendered, {Fill("#00FF00"), Delay(300)});
  ASSERT_EQ(rendered.run.exit_code, 0) << rendered.run.err;
  const int short_show = CountFrames(rendered);
  ASSERT_LT(short_show, long_show);
  EXPECT_FALSE(std::filesystem::exists(rendered.Out(FrameName(short_show))));
  EXPECT_EQ(Read(rendered.Out(FrameName(short_show - 1))).PixelAt(0, 0), 0x0000FF00u);
  EXPECT_TRUE(std::filesystem::exists(rendered.Out("notes.txt")));
  EXPECT_TRUE(std::filesystem::exists(rendered.Out("frame-1.png")));
}

TEST(RenderVideo, JoinsTheFramesIntoAGif) {
  Rendered rendered;
  RenderScene(rendered, {Fill("#FF0000"), Delay(300), Fill("#0000FF"), Delay(300)}, {"--gif"});
  ASSERT_EQ(rendered.run.exit_code, 0) << rendered.run.err;
  const Bytes gif = ReadBytes(rendered.Out("show.gif"));
  ASSERT_GE(gif.size(), 6u);
  EXPECT_EQ(std::string(gif.begin(), gif.begin() + 6), "GIF89a");
}

TEST(RenderBadInput, FailsWithAMessage) {
  struct Case {
    std::vector<std::string> options;
    int exit_code;
    std::string message;
  };
  const Case cases[] = {
      {{"--size", "0x10"}, 1, "--size: \"0\" is not a whole number from 1 to 8192"},
      {{"--size", "640"}, 1, "--size: \"640\" is not WIDTHxHEIGHT"},
      {{"--size", "99999999999999999999x10"}, 1, "is not a whole number"},
      {{"--fps", "0"}, 1, "--fps: \"0\" is not a whole number from 1 to 100"},
      {{"--seconds", "-1"}, 1, "--seconds: \"-1\" is not a number of seconds"},
      {{"--seconds", "nan"}, 1, "--seconds: \"nan\" is not a number of seconds"},
      {{"--times", "0"}, 1, "--times: \"0\" is not a whole number"},
      {{"--gif", "--mp4"}, 1, "--gif and --mp4: choose one"},
      {{"--speed", "2"}, 2, "unknown option --speed"},
  };
  for (const Case& c : cases) {
    Rendered rendered;
    RenderScene(rendered, {Fill("#FF0000")}, c.options);
    EXPECT_EQ(rendered.run.exit_code, c.exit_code) << c.message;
    EXPECT_NE(rendered.run.err.find(c.message), std::string::npos) << rendered.run.err;
  }

  ScratchFolder folder;
  const ToolRun missing = RunSaverpkg({"render", (folder / "none.json").string(), "-o", (folder / "out").string()});
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_NE(missing.err.find("none.json"), std::string::npos) << missing.err;

  WriteBytes(folder / "damaged.pkg", {1, 2, 3});
  const ToolRun damaged = RunSaverpkg({"render", (folder / "damaged.pkg").string(), "-o", (folder / "out").string()});
  EXPECT_EQ(damaged.exit_code, 1);
  EXPECT_NE(damaged.err.find("damaged.pkg"), std::string::npos) << damaged.err;

  WriteBytes(folder / "file", {1});
  WriteJson(folder / "scene.json", Json{{"items", {Fill("#FF0000")}}});
  const ToolRun not_a_folder = RunSaverpkg({"render", (folder / "scene.json").string(), "-o", (folder / "file").string()});
  EXPECT_EQ(not_a_folder.exit_code, 1);
  EXPECT_NE(not_a_folder.err.find("cannot be made a folder"), std::string::npos) << not_a_folder.err;
}

}  // namespace
}  // namespace saver::tool::testing
