// Showing, hiding, moving and typing out images through the three image actions, on a screen in
// memory.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ImageActionFixtures.h"
#include "MemoryStage.h"
#include "imaging/ImageRGB.h"
#include "imaging/KeyedDraw.h"
#include "imaging/PictureWriters.h"
#include "scene/ForwardingCanvas.h"
#include "scene/HideImageItem.h"
#include "scene/ImageItem.h"
#include "scene/LineItem.h"
#include "scene/MoveImageItem.h"
#include "scene/ShowImageItem.h"

namespace saver {
namespace {

using testing_support::MemoryStage;
using testing_support::CollectedMessages;
using testing_support::StageRuntime;
using namespace testing_support;  // the shared pictures, actions and comparisons

constexpr Size kScreen{40, 30};
constexpr std::uint32_t kWindowBackground = 0x00302010;

std::unique_ptr<CImageItem> Text(std::string text, std::uint32_t opaque, std::uint32_t format = 0) {
  auto image = std::make_unique<CImageItem>();
  image->kind = CImageItem::kKindText;
  image->text = std::move(text);
  image->opaque = opaque;
  image->text_format = format;
  image->text_colour = 0x000000FF;
  image->background_colour = 0x0000FF00;
  return image;
}

CPixelBuffer Keyed(CPixelBuffer screen, const CPixelBuffer& text, Point at) {
  DrawKeyed(screen, text, at, kTextKeyColor);
  return screen;
}

TEST(ShowImageTest, PlacesThePictureByCoordinateMode) {
  struct Case {
    std::int32_t mode;
    Point expected;
  };
  const Case cases[] = {{kModeEdgeStart, {0, 0}}, {kModeCentre, {20 - 4, 15 - 3}},
                        {kModeEdgeEnd, {40 - 8, 30 - 6}}, {kModeStored, {11, -2}}};
  const CPixelBuffer picture = Pattern(8, 6, 1);
  for (const Case& c : cases) {
    MemoryStage stage(kScreen, kWindowBackground);
    StageRuntime runtime(stage);
    auto image = Picture(picture);
    auto show = ActionOn<CShowImageItem>(*image, {11, -2});
    show->Prop().path.modes = {c.mode, c.mode, kModeStored, kModeStored};
    const CPixelBuffer before = stage.Pixels();
    Execute(*show, runtime);
    EXPECT_EQ(Differences(stage.Pixels(), Placed(before, picture, c.expected)), 0) << c.mode;
    EXPECT_EQ(image->shown, 1u);
    EXPECT_TRUE(stage.messages.shown.empty());
  }
}

TEST(ShowImageTest, FitsThePictureToTheScreen) {
  struct Case {
    std::uint32_t keep_aspect;
    Size size;
    Point at;
  };
  // 8 x 6 on 40 x 30 keeps its shape exactly; on 40 x 20 it becomes 26 x 20, centred. Without
  // the proportions the picture takes the screen's size but stays at the path's start.
  const Case cases[] = {{0, {40, 30}, {5, 5}}, {1, {40, 30}, {0, 0}}};
  const Case narrow_cases[] = {{0, {40, 20}, {5, 5}}, {1, {26, 20}, {7, 0}}};
  const CPixelBuffer picture = Pattern(8, 6, 2);
  for (const auto& [screen, list] : {std::pair{kScreen, &cases}, std::pair{Size{40, 20}, &narrow_cases}}) {
    for (const Case& c : *list) {
      MemoryStage stage(screen, kWindowBackground);
      StageRuntime runtime(stage);
      auto image = Picture(picture);
      image->fit_to_screen = 1;
      image->keep_aspect = c.keep_aspect;
      auto show = ActionOn<CShowImageItem>(*image, {5, 5});
      const CPixelBuffer before = stage.Pixels();
      Execute(*show, runtime);
      CImageRGB reference;
      CollectedMessages ignored;
      ASSERT_EQ(reference.LoadImageResized(image->data.PlainCopy(), c.size.width, c.size.height, ignored),
                CImageRGB::LoadResult::Loaded);
      EXPECT_EQ(Differences(stage.Pixels(), Placed(before, *reference.Resized(), c.at)), 0)
          << screen.height << " keep " << c.keep_aspect;
      // Fitting with the proportions centres the picture for good.
      const bool centred = show->Prop().path.modes[0] == kModeCentre && show->Prop().path.modes[1] == kModeCentre;
      EXPECT_EQ(centred, c.keep_aspect != 0);
    }
  }
}

TEST(ShowImageTest, PicturesThatCannotBeMadeAreSkippedWithTheirMessages) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> data;
    Size explicit_size;
    std::vector<std::string> last_messages;
  };
  const std::vector<std::uint8_t> bmp = EncodeBmp(Pattern(8, 6, 3));
  const Case cases[] = {
      {"zero width", bmp, {0, 200}, {"CImageRGB::GetImage ResizeImage failed", "Image conversion failed, skipping this image"}},
      {"damaged", {'B', 'M', 1, 2, 3}, {0, 0}, {"CImageRGB::GetImage - LoadImage failed", "Image conversion failed, skipping this image"}},
      {"empty", {}, {0, 0}, {"CImageRGB::GetImage - LoadImage failed", "Image conversion failed, skipping this image"}},
  };
  for (const Case& c : cases) {
    MemoryStage stage(kScreen, kWindowBackground);
    StageRuntime runtime(stage);
    auto image = Picture(Pattern(8, 6, 3));
    image->data = c.data;
    image->explicit_width = c.explicit_size.width;
    image->explicit_height = c.explicit_size.height;
    auto show = ActionOn<CShowImageItem>(*image, {1, 1});
    const CPixelBuffer before = stage.Pixels();
    int index = 0;
    EXPECT_EQ(show->Execute(runtime, index), 1) << c.name;
    EXPECT_EQ(Differences(stage.Pixels(), before), 0) << c.name;
    EXPECT_EQ(image->shown, 0u) << c.name;
    ASSERT_GE(stage.messages.shown.size(), 2u) << c.name;
    const std::vector<std::string> last(stage.messages.shown.end() - 2, stage.messages.shown.end());
    EXPECT_EQ(last, c.last_messages) << c.name;
  }
}

// Whatever the effect (but the fade to black, 65), the picture ends up where it was placed, cut by
// the screen's edges.
TEST(ShowImageTest, EveryEffectEndsWithThePictureInPlace) {
  const CPixelBuffer picture = Pattern(12, 9, 4);
  for (int effect : {0, 4, 10, 30, 40, 50, 70, 80}) {
    for (Point at : {Point{-3, 2}, Point{30, 25}, Point{5, 5}}) {
      MemoryStage stage(kScreen, kWindowBackground);
      StageRuntime runtime(stage);
      auto image = Picture(picture);
      auto show = ActionOn<CShowImageItem>(*image, at);
      show->Prop().path.effect_number = effect;
      const CPixelBuffer before = stage.Pixels();
      Execute(*show, runtime);
      EXPECT_EQ(Differences(stage.Pixels(), Placed(before, picture, at)), 0)
          << "effect " << effect << " at " << at.x << "," << at.y;
    }
  }
}

// A screen whose transitions wait on the pacer the show hands over, as the saver window's do.
class PacedCanvas final : public CForwardingCanvas {
 public:
  using CForwardingCanvas::CForwardingCanvas;

  void WithSurface(const CPixelBuffer& frame, const CPixelBuffer& picture, CPacer& pacer,
                   const SurfaceWork& work) override {
    inner_.WithSurface(frame, picture, pacer, [&](CDrawingSurface& surface, CPacer&) { work(surface, pacer); });
  }
};

class PacedStage final : public MemoryStage {
 public:
  using MemoryStage::MemoryStage;
  CImageCanvas& Screen() override { return canvas_; }

 private:
  PacedCanvas canvas_{Canvas()};
};

// A runtime around another, as the saver window's is around the scene thread; the waits made
// through it rather than through the inner runtime are counted.
class WrappingRuntime final : public CSceneRuntime {
 public:
  explicit WrappingRuntime(CSceneRuntime& inner) : inner_(inner) {}

  bool StopRequested() const override { return inner_.StopRequested(); }
  void Sleep(std::uint32_t milliseconds) override { inner_.Sleep(milliseconds); }
  void PacedWait(std::int32_t a, double k) override {
    ++forwarded_waits;
    inner_.PacedWait(a, k);
  }
  std::uint32_t TickCount() const override { return inner_.TickCount(); }
  const RandomSeedSources& SeedSources() const override { return inner_.SeedSources(); }
  void FillScreen(std::uint32_t colour, std::uint32_t raster_operation) override {
    inner_.FillScreen(colour, raster_operation);
  }
  void ArmLink(std::string link, int key_mode) override { inner_.ArmLink(std::move(link), key_mode); }
  CImageStage* Images() override { return inner_.Images(); }
  CPacer& Pacing() override { return inner_.Pacing(); }

  int forwarded_waits = 0;

 private:
  CSceneRuntime& inner_;
};

// A transition's waits reach the runtime that does them in one call, past any runtime around it.
TEST(ShowImageTest, TransitionWaitsGoStraightToTheInnerRuntime) {
  PacedStage stage(kScreen, kWindowBackground);
  StageRuntime inner(stage);
  WrappingRuntime runtime(inner);
  const CPixelBuffer picture = Pattern(12, 9, 5);
  auto image = Picture(picture);
  auto show = ActionOn<CShowImageItem>(*image, {5, 5});
  show->Prop().path.effect_number = 40;
  const CPixelBuffer before = stage.Pixels();
  Execute(*show, runtime);
  EXPECT_EQ(Differences(stage.Pixels(), Placed(before, picture, {5, 5})), 0);
  EXPECT_FALSE(inner.paced_waits.empty());
  EXPECT_EQ(runtime.forwarded_waits, 0);
}

TEST(ShowImageTest, OpaqueTextIsRenderedAgainAtEveryShow) {
  MemoryStage stage(kScreen, kWindowBackground);
  StageRuntime runtime(stage);
  auto text = Text("Hi\r\nyou", 1, 2);
  auto show = ActionOn<CShowImageItem>(*text, {4, 3});
  Execute(*show, runtime);
  Execute(*show, runtime);
  EXPECT_EQ(stage.renders, 2);
  const auto rendered = stage.RenderText(*text, {});
  ASSERT_TRUE(rendered);
  EXPECT_EQ(rendered->Width(), 18);  // three cells of 6, widened by 2 % and truncated
  MemoryStage reference(kScreen, kWindowBackground);
  reference.Canvas().Draw({4, 3}, *rendered);
  EXPECT_EQ(Differences(stage.Pixels(), reference.Pixels()), 0);
}

TEST(ShowImageTest, KeyedTextShowsThePictureThroughItsKeyColour) {
  const CPixelBuffer picture = Pattern(40, 30, 5);
  for (int effect : {0, 10, 40}) {
    MemoryStage stage(kScreen, kWindowBackground);
    StageRuntime runtime(stage);
    auto image = Picture(picture);
    auto text = Text("ab\r\nc", 0, 1);
    Execute(*ActionOn<CShowImageItem>(*image, {0, 0}), runtime);
    auto show_text = ActionOn<CShowImageItem>(*text, {7, 9});
    show_text->Prop().path.effect_number = effect;
    text->image.SetDecodedPixels(*stage.RenderText(*text, {}));  // as validation leaves it
    Execute(*show_text, runtime);
    const CPixelBuffer expected = Keyed(picture, *stage.RenderText(*text, {}), {7, 9});
    EXPECT_EQ(Differences(stage.Pixels(), expected), 0) << effect;
    EXPECT_EQ(stage.Pixels().PixelAt(7, 9), picture.PixelAt(7, 9)) << effect;  // key colour is see-through
    EXPECT_EQ(stage.Pixels().PixelAt(10, 10), 0x000000FFu) << effect;          // glyph of "a"
  }
}

TEST(HideImageTest, RestoresTheSavedBackgroundOnceOrErases) {
  struct Case {
    std::int32_t save_background;
    int effect;
  };
  const CPixelBuffer backdrop = Pattern(40, 30, 6);
  const CPixelBuffer picture = Pattern(10, 8, 7);
  for (const Case c : {Case{1, 0}, Case{1, 40}, Case{0, 0}, Case{0, 40}}) {
    MemoryStage stage(kScreen, kWindowBackground);
    StageRuntime runtime(stage);
    stage.Canvas().Draw({0, 0}, backdrop);
    auto image = Picture(picture);
    auto show = ActionOn<CShowImageItem>(*image, {6, 4});
    show->Prop().path.save_background = c.save_background;
    show->Prop().path.effect_number = c.effect;
    auto hide = ActionOn<CHideImageItem>(*image, {});
    Execute(*show, runtime);
    Execute(*hide, runtime);
    CPixelBuffer expected = backdrop;
    if (c.save_background == 0) {
      // Erasing fills the picture's place, or the whole screen after a transition.
      CPixelCanvas canvas(std::move(expected));
      canvas.Fill(c.effect == 0 ? Rect::FromSize(6, 4, 10, 8) : Rect::FromSize(0, 0, 40, 30), kWindowBackground);
      expected = std::move(canvas.Pixels());
    }
    EXPECT_EQ(Differences(stage.Pixels(), expected), 0) << c.save_background << " " << c.effect;
    EXPECT_EQ(image->shown, 0u);
    // A second hide finds the image hidden and leaves the screen alone.
    stage.Canvas().Fill(Rect::FromSize(0, 0, 40, 30), 0x00123456);
    const CPixelBuffer repainted = stage.Pixels();
    Execute(*hide, runtime);
    EXPECT_EQ(Differences(stage.Pixels(), repainted), 0);
  }
}

// Erasing through an off-screen picture (NT 4 and older, Windows 2000 and XP) or directly (the
// other classes) paints the same pixels, also where the place hangs off the screen.
TEST(HideImageTest, EveryOperatingSystemClassErasesTheSamePixels) {
  const CPixelBuffer backdrop = Pattern(40, 30, 19);
  for (const Point at : {Point{6, 4}, Point{-4, -3}, Point{35, 26}}) {
    CPixelCanvas expected(backdrop);
    expected.Fill(Rect::FromSize(at.x, at.y, 10, 8), kWindowBackground);
    for (int operating_system_class = 0; operating_system_class <= 4; ++operating_system_class) {
      MemoryStage stage(kScreen, kWindowBackground);
      stage.operating_system_class = operating_system_class;
      StageRuntime runtime(stage);
      stage.Canvas().Draw({0, 0}, backdrop);
      auto image = Picture(Pattern(10, 8, 20));
      Execute(*ActionOn<CShowImageItem>(*image, at), runtime);
      Execute(*ActionOn<CHideImageItem>(*image, {}), runtime);
      EXPECT_EQ(Differences(stage.Pixels(), expected.Pixels()), 0) << operating_system_class << " at " << at.x;
    }
  }
}

struct MoveCase {
  const char* name;
  Point start, end;
  Point step;
  std::int32_t free_movement = 0;
  std::int32_t limit_x = 0;
  bool overlapping = true;  // every step shorter than the picture
};

// The positions a move passes: the start, then one per Step up to the one that ends it.
std::vector<Point> PositionsOf(CPathProperty path, Size size, const ScreenMetrics& screen,
                               const RandomSeedSources& sources) {
  path.Compute(size, screen, sources);
  std::vector<Point> positions{{path.current_x, path.current_y}};
  bool end = false;
  while (!end && positions.size() < 10000) {
    end = path.Step();
    positions.push_back({path.current_x, path.current_y});
  }
  return positions;
}

const MoveCase kMoves[] = {
    {"right", {0, 5}, {21, 5}, {4, 0}},
    {"left and up", {30, 20}, {2, 4}, {3, 0}},
    {"down", {12, 0}, {12, 20}, {5, 0}},
    {"free", {0, 0}, {0, 0}, {3, 2}, 1, 25},
    {"still", {9, 9}, {9, 9}, {4, 0}},
    {"jump", {0, 0}, {30, 0}, {15, 0}, 0, 0, false},
};

std::unique_ptr<CMoveImageItem> MoveAction(CImageItem& image, const MoveCase& c) {
  auto move = ActionOn<CMoveImageItem>(image, c.start, c.end);
  CPathProperty& path = move->Prop().path;
  path.step_x = c.step.x, path.step_y = c.step.y;
  path.free_movement = c.free_movement;
  path.limit_x = c.limit_x;
  return move;
}

// A step that leaves the old place entirely erases it instead, so only overlapping moves are here.
TEST(MoveImageTest, EndsWhereStepSaysAndLeavesNoTrailOnTheScreenCopy) {
  const CPixelBuffer backdrop = Pattern(40, 30, 8);
  const CPixelBuffer picture = Pattern(10, 8, 9);
  for (const MoveCase& c : kMoves) {
    if (!c.overlapping) continue;
    MemoryStage stage(kScreen, kWindowBackground);
    StageRuntime runtime(stage);
    stage.Canvas().Draw({0, 0}, backdrop);
    auto image = Picture(picture);
    auto move = MoveAction(*image, c);
    CPathProperty& path = move->Prop().path;
    path.step_delay = 90000;
    path.screen_copy_background = 1;
    const std::vector<Point> positions = PositionsOf(path, {10, 8}, stage.Metrics(), runtime.SeedSources());
    Execute(*move, runtime);
    EXPECT_EQ(Differences(stage.Pixels(), Placed(backdrop, picture, positions.back())), 0) << c.name;
    EXPECT_EQ(runtime.paced_waits, std::vector<std::int32_t>(positions.size() - 2, 90000)) << c.name;
    EXPECT_EQ(image->placement.current_x, positions.back().x) << c.name;
    EXPECT_EQ(image->placement.current_y, positions.back().y) << c.name;
    EXPECT_TRUE(image->screen_copy.IsEmpty());
  }
}

// Without the screen copy, the places the picture left are filled with the window background;
// what it never covered keeps its pixels.
TEST(MoveImageTest, WithoutTheScreenCopyTheTrailIsTheWindowBackground) {
  const CPixelBuffer backdrop = Pattern(40, 30, 10);
  const CPixelBuffer picture = Pattern(10, 8, 11);
  for (const MoveCase& c : kMoves) {
    MemoryStage stage(kScreen, kWindowBackground);
    StageRuntime runtime(stage);
    stage.Canvas().Draw({0, 0}, backdrop);
    auto image = Picture(picture);
    auto move = MoveAction(*image, c);
    const std::vector<Point> positions = PositionsOf(move->Prop().path, {10, 8}, stage.Metrics(), runtime.SeedSources());
    Execute(*move, runtime);
    const Rect last = Rect::FromSize(positions.back().x, positions.back().y, 10, 8);
    int wrong = 0;
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 40; ++x) {
        bool covered = false;
        for (Point p : positions) covered = covered || Rect::FromSize(p.x, p.y, 10, 8).Contains(x, y);
        const std::uint32_t expected = last.Contains(x, y) ? picture.PixelAt(x - last.left, y - last.top)
                                       : covered           ? kWindowBackground
                                                           : backdrop.PixelAt(x, y);
        wrong += stage.Pixels().PixelAt(x, y) != expected;
      }
    }
    EXPECT_EQ(wrong, 0) << c.name;
  }
}

TEST(MoveImageTest, StopsWhenTheShowIsStopped) {
  MemoryStage stage(kScreen, kWindowBackground);
  StageRuntime runtime(stage);
  runtime.stop_after_waits = 3;
  auto image = Picture(Pattern(10, 8, 12));
  auto move = ActionOn<CMoveImageItem>(*image, {0, 0}, {0, 0});
  move->Prop().path.free_movement = 1;  // the tests never hold: only the stop ends it
  move->Prop().path.x_test = 2;
  move->Prop().path.limit_x = -1;
  move->Prop().path.both_tests = 1;
  Execute(*move, runtime);
  EXPECT_EQ(runtime.paced_waits.size(), 3u);
  EXPECT_TRUE(image->screen_copy.IsEmpty());
}

// The background is kept where the image comes to rest, also when the last step passes the end.
TEST(MoveImageTest, SavedBackgroundComesBackAfterTheMove) {
  const CPixelBuffer backdrop = Pattern(40, 30, 13);
  for (const std::int32_t step : {5, 7}) {
    MemoryStage stage(kScreen, kWindowBackground);
    StageRuntime runtime(stage);
    stage.Canvas().Draw({0, 0}, backdrop);
    auto image = Picture(Pattern(10, 8, 14));
    auto move = ActionOn<CMoveImageItem>(*image, {0, 3}, {20, 9});
    move->Prop().path.step_x = step;
    move->Prop().path.save_background = 1;
    move->Prop().path.screen_copy_background = 1;
    Execute(*move, runtime);
    Execute(*ActionOn<CHideImageItem>(*image, {}), runtime);
    EXPECT_EQ(Differences(stage.Pixels(), backdrop), 0) << step;
  }
}

TEST(TypewriterShowTest, RevealsACentredKeyedTextInPlace) {
  const CPixelBuffer backdrop = Pattern(40, 30, 15);
  MemoryStage stage(kScreen, kWindowBackground);
  StageRuntime runtime(stage);
  stage.Canvas().Draw({0, 0}, backdrop);
  auto text = Text("ab\r\ncde", 0, 1);
  auto show = ActionOn<CShowImageItem>(*text, {3, 4});
  text->natural_width = 18;  // as validation measures it
  text->natural_height = 16;
  show->Prop().path.typewriter = 1;
  show->Prop().path.typewriter_delay = 1950;
  Execute(*show, runtime);
  const CPixelBuffer expected = Keyed(backdrop, *stage.RenderText(*text, {}), {3, 4});
  EXPECT_EQ(Differences(stage.Pixels(), expected), 0);
  // Five characters, the line break taking no step: four pauses of 2000 - 1950 ms.
  EXPECT_EQ(runtime.sleeps, (std::vector<std::uint32_t>{50, 50, 50, 50}));
}

TEST(TypewriterShowTest, EachPrefixIsCentredOnTheWholeText) {
  const CPixelBuffer backdrop = Pattern(40, 30, 16);
  MemoryStage stage(kScreen, kWindowBackground);
  StageRuntime runtime(stage);
  stage.Canvas().Draw({0, 0}, backdrop);
  auto text = Text("abc", 0, 1);
  text->placement.current_x = 3, text->placement.current_y = 4;
  text->placement.typewriter = 1;
  text->TakeSavedBackground(stage, Rect::FromSize(3, 4, 18, 8), text->placement);
  std::size_t index = 0;
  ASSERT_TRUE(text->TypeStep(stage, runtime, index));
  // "a" is 6 wide in a text 18 wide: it goes 6 pixels in.
  const CPixelBuffer first = Keyed(backdrop, *stage.RenderText(*text, "a"), {3 + 6, 4});
  EXPECT_EQ(Differences(stage.Pixels(), first), 0);
  index = 1;
  ASSERT_TRUE(text->TypeStep(stage, runtime, index));
  const CPixelBuffer second = Keyed(backdrop, *stage.RenderText(*text, "ab"), {3 + 3, 4});
  EXPECT_EQ(Differences(stage.Pixels(), second), 0);
  index = 2;
  EXPECT_FALSE(text->TypeStep(stage, runtime, index));
}

TEST(ShowImageTest, EffectThreeDrawsANewTransitionAtEveryRun) {
  MemoryStage stage(kScreen, kWindowBackground);
  StageRuntime runtime(stage);
  auto image = Picture(Pattern(8, 6, 17));
  auto show = ActionOn<CShowImageItem>(*image, {2, 2});
  show->Prop().path.effect_number = 3;
  std::set<int> drawn;
  for (int pass = 0; pass < 12; ++pass) {
    Execute(*show, runtime);
    ASSERT_GE(image->placement.effect_number, 4);
    ASSERT_LE(image->placement.effect_number, 87);
    drawn.insert(image->placement.effect_number);
  }
  EXPECT_EQ(show->Prop().path.effect_number, 3);
  EXPECT_GT(drawn.size(), 1u);
}

TEST(ShowImageTest, SnapshotSourcesReadTheirFileOnce) {
  const CPixelBuffer snapshot = Pattern(40, 30, 18);
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "slide_snapshot_test.bmp";
  {
    const std::vector<std::uint8_t> bytes = EncodeBmp(snapshot);
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  MemoryStage stage(kScreen, kWindowBackground);
  StageRuntime runtime(stage);
  stage.snapshot_paths[CImageItem::kSourceDesktop] = file.string();
  stage.snapshot_paths[CImageItem::kSourceWallpaper] = (file.parent_path() / "no_such_wallpaper.bmp").string();
  auto desktop = Picture(Pattern(1, 1, 0));
  desktop->source_mode = CImageItem::kSourceDesktop;
  desktop->natural_width = 40, desktop->natural_height = 30;
  Execute(*ActionOn<CShowImageItem>(*desktop, {0, 0}), runtime);
  std::filesystem::remove(file);
  EXPECT_EQ(Differences(stage.Pixels(), snapshot), 0);
  EXPECT_EQ(desktop->source_mode, CImageItem::kSourceData);
  EXPECT_EQ(desktop->file_name, "shown as " + file.string());
  EXPECT_TRUE(stage.messages.shown.empty());

  auto wallpaper = Picture(Pattern(1, 1, 0));
  wallpaper->source_mode = CImageItem::kSourceWallpaper;
  Execute(*ActionOn<CShowImageItem>(*wallpaper, {0, 0}), runtime);
  ASSERT_FALSE(stage.messages.shown.empty());
  EXPECT_EQ(stage.messages.shown.front(), "no_such_wallpaper.bmp\nCannot be read data.");
  EXPECT_EQ(stage.messages.shown.back(), "Image conversion failed, skipping this image");
  EXPECT_TRUE(wallpaper->data.empty());
}

TEST(LineItemTest, DrawsBetweenItsComputedEnds) {
  MemoryStage stage(kScreen, kWindowBackground);
  StageRuntime runtime(stage);
  CLineItem line;
  line.path.modes = {kModeEdgeStart, kModeStored, kModeEdgeEnd, kModeStored};
  line.path.start_y = line.path.end_y = 7;
  line.colour.colour = 0x00ABCDEF;
  Execute(line, runtime);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      ASSERT_EQ(stage.Pixels().PixelAt(x, y), y == 7 ? 0x00ABCDEFu : kWindowBackground) << x << "," << y;
    }
  }
}

TEST(ImageActionsTest, DoNothingWithoutAScreenOrATarget) {
  testing_support::MemoryStage stage(kScreen, kWindowBackground);
  StageRuntime runtime(stage);
  const CPixelBuffer before = stage.Pixels();
  CShowImageItem show;
  CMoveImageItem move;
  CHideImageItem hide;
  for (CSceneItem* action : {static_cast<CSceneItem*>(&show), static_cast<CSceneItem*>(&move),
                             static_cast<CSceneItem*>(&hide)}) {
    int index = 0;
    EXPECT_EQ(action->Execute(runtime, index), 1);
  }
  EXPECT_EQ(Differences(stage.Pixels(), before), 0);
}

}  // namespace
}  // namespace saver
