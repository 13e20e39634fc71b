// The frame around every effect: composing the new picture, the static placements, the copy to
// the screen, the clipping of pictures at the screen edges, and the dispatch by effect number.
#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>

#include "EffectFixture.h"
#include "effects/EffectTable.h"

namespace saver::testing {
namespace {

constexpr std::uint32_t kBrush = 0x00123456;

// A surface with a 10 x 7 screen (old tag), a frame of `frame` size and a picture of `picture`
// size (new tag).
CMemorySurface Surface(Size frame, Size picture) {
  return CMemorySurface(TaggedPicture(10, 7, kOldTag), CPixelBuffer(frame.width, frame.height),
                        TaggedPicture(picture.width, picture.height, kNewTag));
}

std::uint32_t NewPixel(int x, int y) { return x | (y << 8) | (std::uint32_t{kNewTag} << 16); }

TEST(ComposeFrame, FillsWithTheBrushAndCopiesThePictureFromTheOffset) {
  CMemorySurface surface = Surface({5, 4}, {4, 3});
  CTransition transition(21, {Rect::FromSize(1, 1, 5, 4), kBrush}, surface, surface);
  transition.ComposeFrame(1, 1);
  const CPixelBuffer& frame = surface.Pixels(Layer::New);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) {
      // The picture from (1, 1) covers 3 x 2 pixels of the frame; the brush shows elsewhere.
      const std::uint32_t want = x < 3 && y < 2 ? NewPixel(x + 1, y + 1) : kBrush;
      EXPECT_EQ(frame.PixelAt(x, y), want) << x << "," << y;
    }
  }
}

TEST(ComposeFrame, WithoutBrushLeavesTheFrameBehindThePicture) {
  CMemorySurface surface = Surface({4, 4}, {2, 2});
  surface.MutablePixels(Layer::New) = TaggedPicture(4, 4, 0x11);
  CTransition transition(0, {Rect::FromSize(0, 0, 4, 4), std::nullopt}, surface, surface);
  transition.ComposeFrame(0, 0);
  EXPECT_EQ(surface.Pixels(Layer::New).PixelAt(1, 1), NewPixel(1, 1));
  EXPECT_EQ(TagAt(surface.Pixels(Layer::New), 3, 3), 0x11);
}

// Tiled and stretched pictures cover the whole 10 x 7 screen.
struct PlacementCase {
  const char* name;
  int effect;
  Size picture;
  Point (*source)(int x, int y);  // the picture pixel shown at screen pixel (x, y)
};

const PlacementCase kPlacementCases[] = {
    {"tiled", 1, {3, 2}, [](int x, int y) { return Point{x % 3, y % 2}; }},
    {"stretched", 2, {5, 7}, [](int x, int y) { return Point{x / 2, y}; }},
};

class PlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementTest, CoversTheScreen) {
  const PlacementCase& c = GetParam();
  CMemorySurface surface = Surface({10, 7}, c.picture);
  CTransition transition(c.effect, {Rect::FromSize(0, 0, c.picture.width, c.picture.height), kBrush}, surface, surface);
  transition.DrawPlaced();
  transition.CopyToScreen(false, {});
  const CPixelBuffer& screen = surface.Pixels(Layer::Screen);
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 10; ++x) {
      const Point from = c.source(x, y);
      EXPECT_EQ(screen.PixelAt(x, y), NewPixel(from.x, from.y)) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Placements, PlacementTest, ::testing::ValuesIn(kPlacementCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DrawPlaced, OwnSizeIsCopiedAtTheTargetOrAtThePoint) {
  for (const bool use_own_rect : {true, false}) {
    CMemorySurface surface = Surface({3, 2}, {3, 2});
    CTransition transition(0, {Rect::FromSize(4, 3, 3, 2), kBrush}, surface, surface);
    transition.DrawPlaced();
    transition.CopyToScreen(use_own_rect, {1, 0});
    const Point at = use_own_rect ? Point{4, 3} : Point{1, 0};
    const CPixelBuffer& screen = surface.Pixels(Layer::Screen);
    EXPECT_EQ(screen.PixelAt(at.x, at.y), NewPixel(0, 0));
    EXPECT_EQ(screen.PixelAt(at.x + 2, at.y + 1), NewPixel(2, 1));
    EXPECT_EQ(TagAt(screen, at.x + 3, at.y), kOldTag);
  }
}

struct ClipCase {
  const char* name;
  Rect picture;
  Point position;
  Rect visible;
  Point offsets;
};

const ClipCase kClipCases[] = {
    {"inside", Rect::FromSize(0, 0, 4, 3), {2, 1}, Rect::FromSize(2, 1, 4, 3), {0, 0}},
    {"off the left and top", Rect::FromSize(0, 0, 4, 3), {-1, -2}, Rect::FromSize(0, 0, 3, 1), {1, 2}},
    {"off the right and bottom", Rect::FromSize(0, 0, 4, 3), {8, 5}, Rect::FromSize(8, 5, 2, 2), {0, 0}},
    {"larger than the screen", Rect::FromSize(0, 0, 30, 20), {-5, -5}, Rect::FromSize(0, 0, 10, 7), {5, 5}},
    {"wholly off the left", Rect::FromSize(0, 0, 4, 3), {-4, 0}, Rect{}, {4, 0}},
    {"wholly off the right", Rect::FromSize(0, 0, 4, 3), {10, 0}, Rect{}, {0, 0}},
    {"far beyond int range", Rect::FromSize(0, 0, 4, 3), {INT_MIN, INT_MIN}, Rect{}, {INT_MAX, INT_MAX}},
};

class ClipToScreenTest : public ::testing::TestWithParam<ClipCase> {};

TEST_P(ClipToScreenTest, GivesTheVisiblePartAndItsOffsets) {
  const ClipCase& c = GetParam();
  Point offsets{-99, -99};
  EXPECT_EQ(CTransition::ClipToScreen(c.picture, c.position, {10, 7}, offsets), c.visible);
  EXPECT_EQ(offsets, c.offsets);
}

INSTANTIATE_TEST_SUITE_P(Cases, ClipToScreenTest, ::testing::ValuesIn(kClipCases), [](const auto& info) {
  std::string name = info.param.name;
  for (char& ch : name) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
  return name;
});

// Numbers outside 4 ... 87 compose the frame but leave the screen as it was.
TEST(ImageEffects, NumbersOutsideTheCatalogueDrawNothing) {
  for (const int effect : {-1, 0, 1, 2, 3, 88, 1000}) {
    EffectRun run(5, 4);
    run.Run(effect);
    EXPECT_EQ(run.surface.Pixels(Layer::Screen), run.screen_before) << effect;
    EXPECT_EQ(run.surface.Pixels(Layer::New), run.NewPicture()) << effect;
    EXPECT_TRUE(run.surface.Waits().empty()) << effect;
  }
}

// A picture hanging off the left edge (sx = 2) is drawn from screen column 0, composed from
// picture column 2; the point is written back.
TEST(ImageEffects, PictureOffTheLeftEdgeIsDrawnFromTheScreenEdge) {
  CMemorySurface surface = Surface({3, 2}, {5, 2});
  CTransition transition(21, {Rect::FromSize(0, 3, 3, 2), std::nullopt}, surface, surface);
  Point point{-2, 3};
  transition.ImageEffects(point, 1000, 2, 0);
  EXPECT_EQ(point, (Point{0, 3}));
  const CPixelBuffer& screen = surface.Pixels(Layer::Screen);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(screen.PixelAt(x, 3 + y), NewPixel(x + 2, y));
  }
  EXPECT_EQ(TagAt(screen, 3, 3), kOldTag);
}

// Empty targets, and targets too large for any screen (damaged data), draw nothing and wait
// for nothing.
TEST(ImageEffects, EmptyOrOversizedTargetDrawsNothing) {
  for (const Size size : {Size{0, 4}, Size{4, 0}, Size{-3, 2}, Size{40000, 3}, Size{3, 1 << 30}}) {
    CMemorySurface surface = Surface({4, 4}, {4, 4});
    const CPixelBuffer before = surface.Pixels(Layer::Screen);
    CTransition transition(41, {Rect::FromSize(1, 1, size.width, size.height), std::nullopt}, surface, surface);
    Point point{1, 1};
    transition.ImageEffects(point, 1000, 0, 0);
    EXPECT_EQ(surface.Pixels(Layer::Screen), before) << size.width << "x" << size.height;
    EXPECT_TRUE(surface.Waits().empty());
  }
}

TEST(ImageEffects, PointFarOffTheScreenDrawsNothing) {
  for (const Point point : {Point{INT_MAX, 0}, Point{0, INT_MIN}}) {
    CMemorySurface surface = Surface({4, 4}, {4, 4});
    const CPixelBuffer before = surface.Pixels(Layer::Screen);
    CTransition transition(41, {Rect::FromSize(0, 0, 4, 4), std::nullopt}, surface, surface);
    Point at = point;
    transition.ImageEffects(at, 1000, 0, 0);
    EXPECT_EQ(surface.Pixels(Layer::Screen), before);
    EXPECT_TRUE(surface.Waits().empty());
  }
}

TEST(EffectCatalogue, FindsEveryNumberByItsOwnRowWithADistinctName) {
  std::set<std::string_view> names;
  for (int number = kFirstEffect; number <= kLastEffect; ++number) {
    const EffectEntry* entry = FindEffect(number);
    ASSERT_NE(entry, nullptr) << number;
    EXPECT_EQ(entry->number, number);
    EXPECT_FALSE(entry->name.empty()) << number;
    EXPECT_TRUE(names.insert(entry->name).second) << entry->name;
  }
  for (const int outside : {INT_MIN, -1, 0, 3, 88, INT_MAX}) EXPECT_EQ(FindEffect(outside), nullptr) << outside;
}

}  // namespace
}  // namespace saver::testing
