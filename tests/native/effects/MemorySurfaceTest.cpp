// The memory surface: what each drawing operation does to its pixel buffers, and what it
// records.
#include <gtest/gtest.h>

#include "EffectFixture.h"

namespace saver::testing {
namespace {

MemorySurface SurfaceWithScreen(int w, int h) {
  return MemorySurface(TaggedPicture(w, h, kOldTag), TaggedPicture(w, h, kNewTag), PixelBuffer());
}

struct RopCase {
  const char* name;
  std::uint32_t raster_op;
  std::uint8_t (*combine)(std::uint8_t screen, std::uint8_t frame);
};

const RopCase kRopCases[] = {
    {"copy", rop::kSrcCopy, [](std::uint8_t, std::uint8_t f) { return f; }},
    {"paint", rop::kSrcPaint, [](std::uint8_t s, std::uint8_t f) { return std::uint8_t(s | f); }},
    {"and", rop::kSrcAnd, [](std::uint8_t s, std::uint8_t f) { return std::uint8_t(s & f); }},
    {"invert", rop::kSrcInvert, [](std::uint8_t s, std::uint8_t f) { return std::uint8_t(s ^ f); }},
};

class RasterOpTest : public ::testing::TestWithParam<RopCase> {};

TEST_P(RasterOpTest, CombinesEveryByteOfTheBlock) {
  MemorySurface surface = SurfaceWithScreen(5, 4);
  const PixelBuffer screen = surface.Pixels(Layer::Screen);
  const PixelBuffer frame = surface.Pixels(Layer::New);
  surface.Copy(Layer::Screen, Rect::FromSize(1, 1, 3, 2), Layer::New, {2, 0}, GetParam().raster_op);
  const PixelBuffer& now = surface.Pixels(Layer::Screen);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) {
      for (int c = 0; c < 3; ++c) {
        const std::uint8_t before = screen.Row(y)[3 * x + c];
        const bool inside = x >= 1 && x < 4 && y >= 1 && y < 3;
        const std::uint8_t want = inside ? GetParam().combine(before, frame.Row(y - 1)[3 * (x + 1) + c]) : before;
        ASSERT_EQ(now.Row(y)[3 * x + c], want) << x << "," << y << " channel " << c;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Ops, RasterOpTest, ::testing::ValuesIn(kRopCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A layer copied onto itself reads every pixel before it is overwritten, in both directions.
TEST(MemorySurface, OverlappingCopyWithinOneLayerMovesTheBlockIntact) {
  for (const int shift : {1, -1}) {
    MemorySurface surface = SurfaceWithScreen(4, 6);
    const PixelBuffer before = surface.Pixels(Layer::Screen);
    surface.Copy(Layer::Screen, Rect::FromSize(0, 1 + shift, 4, 4), Layer::Screen, {0, 1}, rop::kSrcCopy);
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(surface.Pixels(Layer::Screen).PixelAt(x, 1 + shift + y), before.PixelAt(x, 1 + y)) << shift;
      }
    }
  }
}

TEST(MemorySurface, ReadsOutsideTheLayerAsBlack) {
  MemorySurface surface = SurfaceWithScreen(3, 3);
  PixelBuffer out;
  ASSERT_TRUE(surface.Read(Layer::Screen, Rect::FromSize(1, -1, 3, 3), out));
  EXPECT_EQ(out.PixelAt(0, 1), surface.Pixels(Layer::Screen).PixelAt(1, 0));
  EXPECT_EQ(out.PixelAt(0, 0), 0u);  // row -1
  EXPECT_EQ(out.PixelAt(2, 1), 0u);  // column 3
  EXPECT_FALSE(surface.Read(Layer::Screen, Rect{}, out));
}

TEST(MemorySurface, SnapshotHoldsTheScreenAreaUntilReleased) {
  MemorySurface surface = SurfaceWithScreen(6, 5);
  ASSERT_TRUE(surface.TakeOld(Rect::FromSize(2, 1, 3, 3)));
  EXPECT_EQ(surface.LayerSize(Layer::Old), (Size{3, 3}));
  EXPECT_EQ(surface.Pixels(Layer::Old).PixelAt(0, 0), surface.Pixels(Layer::Screen).PixelAt(2, 1));
  surface.ReleaseOld();
  EXPECT_FALSE(surface.SnapshotHeld());
  EXPECT_EQ(surface.LayerSize(Layer::Old), (Size{0, 0}));
  EXPECT_FALSE(surface.TakeOld(Rect{}));
}

TEST(MemorySurface, ClockMovesOnlyBySleeping) {
  MemorySurface surface = SurfaceWithScreen(1, 1);
  const std::uint32_t start = surface.TickCount();
  surface.Sleep(15);
  surface.Sleep(-3);
  EXPECT_EQ(surface.TickCount() - start, 15u);
}

TEST(MemorySurface, StretchShrinksByTakingThePixelNearestEachCentre) {
  MemorySurface surface(PixelBuffer(2, 2), PixelBuffer(2, 2), TaggedPicture(4, 6, kNewTag));
  surface.Stretch(Layer::New, Rect::FromSize(0, 0, 2, 2), Layer::Picture, Rect::FromSize(0, 0, 4, 6));
  const PixelBuffer& picture = surface.Pixels(Layer::Picture);
  EXPECT_EQ(surface.Pixels(Layer::New).PixelAt(0, 0), picture.PixelAt(1, 1));
  EXPECT_EQ(surface.Pixels(Layer::New).PixelAt(1, 1), picture.PixelAt(3, 4));
}

}  // namespace
}  // namespace saver::testing
