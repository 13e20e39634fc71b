#include "scene/ImagePlacement.h"

#include <gtest/gtest.h>

#include <set>

#include "base/RandomSeed.h"
#include "scene/ImageItem.h"

namespace saver {
namespace {

constexpr Size kScreen{1024, 768};

TEST(TargetSizeTest, FollowsFitToScreenThenTheExplicitSize) {
  struct Case {
    const char* name;
    Size natural;
    std::uint32_t fit, keep_aspect;
    Size explicit_size;
    Size expected;
  };
  const Case cases[] = {
      {"aspect fit enlarges", {400, 300}, 1, 1, {0, 0}, {1024, 768}},
      {"aspect fit of a wide picture", {800, 300}, 1, 1, {0, 0}, {1024, 384}},
      {"aspect fit shrinks a tall one", {500, 1536}, 1, 1, {0, 0}, {250, 768}},
      {"aspect fit truncates", {333, 1000}, 1, 1, {0, 0}, {255, 768}},
      {"fit without aspect is the screen", {10, 700}, 1, 0, {0, 0}, {1024, 768}},
      {"fit wins over an explicit size", {10, 10}, 1, 0, {50, 60}, {1024, 768}},
      {"explicit size", {640, 480}, 0, 0, {320, 200}, {320, 200}},
      {"one explicit side is used as it is", {640, 480}, 0, 0, {0, 200}, {0, 200}},
      {"keep aspect alone changes nothing", {640, 480}, 0, 1, {0, 0}, {0, 0}},
      {"natural size", {640, 480}, 0, 0, {0, 0}, {0, 0}},
      {"empty picture fitted keeps its own size", {0, 0}, 1, 1, {0, 0}, {0, 0}},
  };
  for (const Case& c : cases) {
    CImageItem image;
    image.natural_width = c.natural.width;
    image.natural_height = c.natural.height;
    image.fit_to_screen = c.fit;
    image.keep_aspect = c.keep_aspect;
    image.explicit_width = c.explicit_size.width;
    image.explicit_height = c.explicit_size.height;
    EXPECT_EQ(TargetSize(image, kScreen), c.expected) << c.name;
  }
}

TEST(TargetSizeTest, TextIsAlwaysShownAtItsRenderedSize) {
  CImageItem text;
  text.kind = CImageItem::kKindText;
  text.natural_width = 40;
  text.natural_height = 12;
  text.fit_to_screen = 1;
  text.explicit_width = 300;
  EXPECT_EQ(TargetSize(text, kScreen), Size{});
}

TEST(TargetSizeTest, AspectFitOfAnEmptyScreenIsTheNaturalSize) {
  EXPECT_EQ(AspectFit({400, 300}, {0, 0}), Size{});
  EXPECT_EQ(AspectFit({400, 300}, {1024, 0}), Size{});
}

RandomSeedSources Clocks(std::uint32_t tick, std::uint32_t ms) {
  return {[tick] { return tick; }, [ms] { return ms; }, [] { return std::int32_t{0}; }};
}

TEST(EffectChoiceTest, DrawsEveryTransitionAndNothingElse) {
  std::set<int> drawn;
  for (std::uint32_t tick = 0; tick < 20000; tick += 3) {
    const int effect = DrawRandomEffect(Clocks(tick * 2654435761u, tick % 1000));
    ASSERT_GE(effect, kFirstTransition);
    ASSERT_LE(effect, kLastTransition);
    drawn.insert(effect);
  }
  EXPECT_EQ(drawn.size(), static_cast<std::size_t>(kLastTransition - kFirstTransition + 1));
}

TEST(EffectChoiceTest, OnlyEffectThreeIsReplacedAndTheDrawStays) {
  const auto sources = Clocks(4242, 17);
  for (int effect : {0, 1, 2, 4, 30, 65, 87}) {
    CPathProperty placement;
    placement.effect_number = effect;
    ApplyEffectChoice(placement, sources);
    EXPECT_EQ(placement.effect_number, effect);
  }
  CPathProperty placement;
  placement.effect_number = kEffectRandom;
  ApplyEffectChoice(placement, sources);
  const int drawn = placement.effect_number;
  EXPECT_EQ(drawn, DrawRandomEffect(sources));
  ApplyEffectChoice(placement, Clocks(1, 2));  // kept for later shows
  EXPECT_EQ(placement.effect_number, drawn);
}

TEST(PlacementRectTest, ClipsForTransitionsThatDrawFromTheScreenEdge) {
  struct Case {
    int effect;
    Point position;
    Rect expected;
    Point offsets;
  };
  const Case cases[] = {
      {10, {-50, 10}, {0, 10, 150, 110}, {50, 0}},
      {10, {974, 700}, {974, 700, 1024, 768}, {0, 0}},
      {87, {-250, 0}, {}, {250, 0}},  // nothing of it on the screen
      {4, {-50, 10}, {0, 0, 200, 100}, {0, 0}},
      {65, {-50, 10}, {0, 0, 200, 100}, {0, 0}},
      {0, {-50, 10}, {0, 0, 200, 100}, {0, 0}},
      {2, {900, 900}, {0, 0, 200, 100}, {0, 0}},
  };
  for (const Case& c : cases) {
    Point offsets{-1, -1};
    EXPECT_EQ(PlacementRect({200, 100}, c.effect, c.position, kScreen, offsets), c.expected) << c.effect;
    if (!c.expected.IsEmpty()) {
      EXPECT_EQ(offsets, c.offsets) << c.effect;
    }
  }
}

}  // namespace
}  // namespace saver
