// The memory surface: what each drawing operation does to its pixel buffers, and what it
// records.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "EffectFixture.h"
#include "effects/EffectContext.h"

namespace saver::testing {
namespace {

CMemorySurface SurfaceWithScreen(int w, int h) {
  return CMemorySurface(TaggedPicture(w, h, kOldTag), TaggedPicture(w, h, kNewTag), CPixelBuffer());
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
  CMemorySurface surface = SurfaceWithScreen(5, 4);
  const CPixelBuffer screen = surface.Pixels(Layer::Screen);
  const CPixelBuffer frame = surface.Pixels(Layer::New);
  surface.Copy(Layer::Screen, Rect::FromSize(1, 1, 3, 2), Layer::New, {2, 0}, GetParam().raster_op);
  const CPixelBuffer& now = surface.Pixels(Layer::Screen);
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
    CMemorySurface surface = SurfaceWithScreen(4, 6);
    const CPixelBuffer before = surface.Pixels(Layer::Screen);
    surface.Copy(Layer::Screen, Rect::FromSize(0, 1 + shift, 4, 4), Layer::Screen, {0, 1}, rop::kSrcCopy);
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(surface.Pixels(Layer::Screen).PixelAt(x, 1 + shift + y), before.PixelAt(x, 1 + y)) << shift;
      }
    }
  }
}

// Plain copies between layers are drawn in batches, row by row, with neighbouring columns
// joined into runs; the result must be what drawing each copy at once gives. Each sequence
// is checked at a wait's recorded frame and through Pixels.
TEST(MemorySurface, BatchedCopiesLandAsIfDrawnOneByOne) {
  struct Block {
    Rect destination;
    Layer source;
    Point origin;
  };
  auto column = [](int x, int source_x, Layer source = Layer::New) {
    return Block{Rect::FromSize(x, 0, 1, 6), source, {source_x, 0}};
  };
  const struct {
    const char* name;
    std::vector<Block> blocks;
  } cases[] = {
      {"forward columns", {column(1, 2), column(2, 3), column(3, 4)}},
      {"mirrored columns", {column(2, 6), column(3, 5), column(4, 4), column(5, 3)}},
      {"columns leftwards, forward and mirrored", {column(5, 5), column(4, 4), column(3, 1), column(2, 2), column(1, 3)}},
      {"two bands in turn", {column(0, 7), column(7, 0), column(1, 6), column(6, 1), column(2, 5), column(5, 2)}},
      {"two bands in turn that meet", {column(3, 1), column(4, 2), column(4, 5), column(3, 6)}},
      {"mirrored, then a block that does not continue it", {column(0, 3), column(1, 2), {Rect::FromSize(2, 0, 3, 6), Layer::New, {2, 0}}}},
      {"forward, then a wider block continuing it", {column(0, 4), {Rect::FromSize(1, 0, 3, 6), Layer::New, {5, 0}}}},
      {"a later copy covers an earlier one", {column(2, 0), column(3, 1), column(2, 7, Layer::Picture)}},
      {"a growing block and the one it pushes down", {{Rect::FromSize(2, 0, 3, 1), Layer::New, {2, 5}}, {Rect::FromSize(2, 1, 3, 5), Layer::Picture, {2, 0}},
                                                      {Rect::FromSize(2, 0, 3, 2), Layer::New, {2, 4}}, {Rect::FromSize(2, 2, 3, 4), Layer::Picture, {2, 0}},
                                                      {Rect::FromSize(2, 0, 3, 3), Layer::New, {2, 3}}, {Rect::FromSize(2, 3, 3, 3), Layer::Picture, {2, 0}}}},
      {"a block pushed up covers the top of an earlier one", {{Rect::FromSize(1, 1, 4, 5), Layer::Picture, {1, 0}}, {Rect::FromSize(0, 0, 6, 3), Layer::New, {0, 3}}}},
      {"a narrower block cuts nothing", {{Rect::FromSize(1, 0, 4, 6), Layer::Picture, {0, 0}}, {Rect::FromSize(2, 0, 2, 6), Layer::New, {5, 0}}}},
      {"two layers interleaved", {column(0, 0, Layer::Picture), column(1, 1), column(2, 2, Layer::Picture)}},
      {"blocks of other rows", {{Rect::FromSize(1, 2, 4, 3), Layer::New, {0, 0}}, column(2, 7), {Rect::FromSize(0, 4, 8, 1), Layer::Picture, {0, 5}}}},
      {"a push: each step's narrower block leaves a column the other block covers",
       {{Rect::FromSize(0, 0, 7, 6), Layer::Picture, {1, 0}}, {Rect::FromSize(7, 0, 1, 6), Layer::New, {0, 0}},
        {Rect::FromSize(0, 0, 6, 6), Layer::Picture, {2, 0}}, {Rect::FromSize(6, 0, 2, 6), Layer::New, {0, 0}},
        {Rect::FromSize(0, 0, 5, 6), Layer::Picture, {3, 0}}, {Rect::FromSize(5, 0, 3, 6), Layer::New, {0, 0}}}},
      {"a mirrored run cut on the left and on the right",
       {column(2, 6), column(3, 5), column(4, 4), column(5, 3), {Rect::FromSize(1, 0, 2, 6), Layer::Picture, {0, 0}},
        {Rect::FromSize(5, 0, 3, 6), Layer::Picture, {4, 0}}}},
      {"a block moving diagonally leaves an L-shape", {{Rect::FromSize(1, 0, 7, 5), Layer::Picture, {0, 1}}, {Rect::FromSize(0, 5, 8, 1), Layer::New, {0, 5}},
                                                       {Rect::FromSize(2, 0, 6, 4), Layer::Picture, {0, 2}}, {Rect::FromSize(0, 0, 2, 6), Layer::New, {0, 0}}}},
      {"a block with a hole copied into its middle", {{Rect::FromSize(1, 1, 6, 4), Layer::Picture, {0, 0}}, {Rect::FromSize(3, 2, 2, 2), Layer::New, {0, 0}},
                                                      column(4, 7), {Rect::FromSize(0, 2, 4, 1), Layer::New, {4, 0}}}},
      {"a block cut on the left by part of its rows", {{Rect::FromSize(1, 1, 6, 4), Layer::Picture, {0, 0}}, {Rect::FromSize(0, 0, 3, 6), Layer::New, {5, 0}}}},
      {"wedges whose rows grow, more copies apart than the latest few",
       {{Rect::FromSize(0, 0, 1, 1), Layer::New, {0, 0}}, {Rect::FromSize(7, 5, 1, 1), Layer::New, {7, 5}},
        {Rect::FromSize(0, 1, 1, 1), Layer::New, {0, 1}}, {Rect::FromSize(7, 4, 1, 1), Layer::New, {7, 4}},
        {Rect::FromSize(0, 2, 2, 1), Layer::New, {0, 2}}, {Rect::FromSize(6, 3, 2, 1), Layer::New, {6, 3}},
        {Rect::FromSize(0, 3, 2, 1), Layer::New, {0, 3}}, {Rect::FromSize(6, 2, 2, 1), Layer::New, {6, 2}},
        {Rect::FromSize(0, 4, 3, 1), Layer::New, {0, 4}}, {Rect::FromSize(5, 1, 3, 1), Layer::New, {5, 1}},
        {Rect::FromSize(0, 0, 2, 1), Layer::Picture, {0, 0}}, {Rect::FromSize(6, 5, 2, 1), Layer::Picture, {6, 5}},
        {Rect::FromSize(0, 1, 3, 1), Layer::Picture, {0, 1}}, {Rect::FromSize(5, 4, 3, 1), Layer::New, {5, 4}},
        {Rect::FromSize(0, 2, 3, 1), Layer::New, {1, 2}}, {Rect::FromSize(4, 3, 4, 1), Layer::Picture, {4, 3}}}},
      {"column bands sliding in from both edges, more copies apart than the latest few",
       {{Rect::FromSize(0, 0, 2, 1), Layer::New, {0, 5}}, {Rect::FromSize(2, 5, 2, 1), Layer::New, {2, 0}},
        {Rect::FromSize(4, 0, 2, 1), Layer::New, {4, 5}}, {Rect::FromSize(6, 5, 2, 1), Layer::New, {6, 0}},
        {Rect::FromSize(0, 0, 2, 2), Layer::New, {0, 4}}, {Rect::FromSize(2, 4, 2, 2), Layer::New, {2, 0}},
        {Rect::FromSize(4, 0, 2, 2), Layer::New, {4, 4}}, {Rect::FromSize(6, 4, 2, 2), Layer::New, {6, 0}},
        {Rect::FromSize(0, 0, 2, 3), Layer::New, {0, 3}}, {Rect::FromSize(2, 3, 2, 3), Layer::New, {2, 0}},
        {Rect::FromSize(4, 0, 2, 3), Layer::New, {4, 3}}, {Rect::FromSize(6, 3, 2, 3), Layer::New, {6, 0}}}},
      {"blocks of one shift overlapping, touching and apart, in any order",
       {{Rect::FromSize(5, 0, 2, 1), Layer::New, {5, 0}}, {Rect::FromSize(1, 0, 2, 1), Layer::New, {1, 0}},
        {Rect::FromSize(3, 0, 2, 1), Layer::New, {3, 0}}, {Rect::FromSize(2, 1, 1, 4), Layer::New, {2, 1}},
        {Rect::FromSize(0, 2, 8, 2), Layer::New, {0, 2}}, {Rect::FromSize(6, 1, 2, 1), Layer::New, {6, 1}},
        {Rect::FromSize(0, 1, 7, 1), Layer::New, {0, 1}}}},
      {"strips completed one below and one above another, then one that does not continue them",
       {column(7, 7), {Rect::FromSize(1, 2, 6, 2), Layer::Picture, {0, 3}}, {Rect::FromSize(1, 4, 6, 1), Layer::Picture, {0, 5}},
        {Rect::FromSize(1, 1, 6, 1), Layer::Picture, {0, 2}}, {Rect::FromSize(1, 0, 6, 1), Layer::Picture, {0, 0}},
        {Rect::FromSize(1, 5, 6, 1), Layer::Picture, {0, 5}}, {Rect::FromSize(0, 0, 2, 6), Layer::New, {3, 0}}}},
      {"columns continuing runs further back than the one before the last",
       {column(3, 3, Layer::Picture), column(0, 0), column(6, 6, Layer::Picture), column(7, 2), column(1, 1), column(5, 6),
        column(2, 2)}},
      {"strips completed leftwards, then one that does not continue them",
       {column(0, 0, Layer::Picture), {Rect::FromSize(5, 1, 3, 4), Layer::New, {4, 0}}, {Rect::FromSize(3, 1, 2, 4), Layer::New, {2, 0}},
        {Rect::FromSize(1, 1, 2, 4), Layer::New, {1, 0}}, {Rect::FromSize(2, 2, 3, 2), Layer::Picture, {0, 0}}}},
      {"rows growing from both sides with one shift, then another shift over them",
       {{Rect::FromSize(0, 0, 1, 1), Layer::New, {1, 1}}, {Rect::FromSize(6, 0, 1, 1), Layer::New, {7, 1}},
        {Rect::FromSize(1, 0, 2, 1), Layer::New, {2, 1}}, {Rect::FromSize(4, 0, 2, 1), Layer::New, {5, 1}},
        {Rect::FromSize(2, 0, 3, 2), Layer::Picture, {0, 0}}, {Rect::FromSize(0, 1, 7, 1), Layer::New, {1, 2}}}},
  };
  // Once with the frame recorded at one wait after the copies, once with an unrecorded wait
  // after every copy (nothing needs drawing there, so the copies are held back across them).
  for (const auto& c : cases) {
    for (const bool recorded : {true, false}) {
      SCOPED_TRACE(std::string(c.name) + (recorded ? ", recorded" : ", waits between"));
      CMemorySurface surface(TaggedPicture(8, 6, kOldTag), TaggedPicture(8, 6, kNewTag),
                             TaggedPicture(8, 6, kOldTag + 1));
      CPixelBuffer expected = surface.Pixels(Layer::Screen);
      // Taken before the copies: looking at a layer draws what is held back.
      const CPixelBuffer new_layer = surface.Pixels(Layer::New), picture_layer = surface.Pixels(Layer::Picture);
      if (recorded) surface.RecordFrames(Rect::FromSize(0, 0, 8, 6));
      for (const Block& b : c.blocks) {
        surface.Copy(Layer::Screen, b.destination, b.source, b.origin, rop::kSrcCopy);
        if (!recorded) surface.PacedWait(1000, 1000.0);
        const CPixelBuffer& from = b.source == Layer::New ? new_layer : picture_layer;
        for (int y = b.destination.top; y < b.destination.bottom; ++y) {
          for (int x = b.destination.left; x < b.destination.right; ++x) {
            expected.SetPixel(x, y, from.PixelAt(b.origin.x + x - b.destination.left, b.origin.y + y - b.destination.top));
          }
        }
      }
      if (recorded) {
        surface.PacedWait(1000, 1000.0);
        ASSERT_EQ(surface.Frames().size(), 1u);
        EXPECT_EQ(surface.Frames().front(), expected);
      } else {
        EXPECT_TRUE(surface.Frames().empty());
      }
      EXPECT_EQ(surface.Pixels(Layer::Screen), expected);
    }
  }
}

// More scattered blocks on one row than it holds back at once (a dissolve's cells): the row is
// drawn early, and later copies over it, of the same shift or not, still land in order.
TEST(MemorySurface, ManyScatteredBlocksOnOneRowLandAsIfDrawnOneByOne) {
  const int w = 400;
  CMemorySurface surface(TaggedPicture(w, 2, kOldTag), TaggedPicture(w, 2, kNewTag), TaggedPicture(w, 2, kOldTag + 1));
  CPixelBuffer expected = surface.Pixels(Layer::Screen);
  const CPixelBuffer new_layer = surface.Pixels(Layer::New), picture_layer = surface.Pixels(Layer::Picture);
  auto copy = [&](int x, int width, Layer source) {
    surface.Copy(Layer::Screen, Rect::FromSize(x, 1, width, 1), source, {x, 0}, rop::kSrcCopy);
    surface.PacedWait(1000, 1000.0);
    for (int i = x; i < x + width; ++i) {
      expected.SetPixel(i, 1, (source == Layer::New ? new_layer : picture_layer).PixelAt(i, 0));
    }
  };
  for (int x = w - 3; x >= 0; x -= 3) copy(x, 1, Layer::New);  // right to left: each block goes in front
  copy(10, 50, Layer::New);
  copy(100, 7, Layer::Picture);
  copy(104, 30, Layer::New);
  EXPECT_EQ(surface.Pixels(Layer::Screen), expected);
}

// Many blocks in one call land as the same blocks copied one by one with Copy, cut to the
// area and the layers, whatever the surface holds back before them.
TEST(MemorySurface, CopyBlocksLandAsCopiesOneByOne) {
  const Rect within = Rect::FromSize(1, 1, 6, 4);
  const Point offset{1, 1};
  const std::vector<Rect> blocks = {Rect::FromSize(0, 0, 1, 1), Rect::FromSize(2, 0, 3, 1), Rect::FromSize(-2, 2, 4, 1),
                                    Rect::FromSize(4, 1, 1, 5),  Rect::FromSize(5, 3, 4, 4), Rect::FromSize(3, 2, 0, 2)};
  const struct {
    const char* name;
    std::function<void(CMemorySurface&)> before;
  } cases[] = {
      {"nothing held", [](CMemorySurface&) {}},
      {"copies of another shift held",
       [](CMemorySurface& s) { s.Copy(Layer::Screen, Rect::FromSize(0, 0, 8, 6), Layer::New, {0, 0}, rop::kSrcCopy); }},
      {"copies of another layer held",
       [](CMemorySurface& s) { s.Copy(Layer::Screen, Rect::FromSize(2, 0, 3, 6), Layer::Picture, {0, 0}, rop::kSrcCopy); }},
      {"copies logged", [](CMemorySurface& s) { s.RecordCopies(true); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto make = [] {
      return CMemorySurface(TaggedPicture(8, 6, kOldTag), TaggedPicture(8, 6, kNewTag), TaggedPicture(8, 6, kOldTag + 1));
    };
    CMemorySurface batched = make(), single = make();
    c.before(batched);
    c.before(single);
    batched.CopyBlocks(Layer::Screen, offset, blocks, Layer::New, within);
    for (const Rect& b : blocks) {
      single.Copy(Layer::Screen, b.Offset(offset.x, offset.y), Layer::New, {b.left, b.top}, rop::kSrcCopy, within);
    }
    EXPECT_EQ(batched.Copies(), single.Copies());
    EXPECT_EQ(batched.Pixels(Layer::Screen), single.Pixels(Layer::Screen));
  }
}

// A made picture is made only when somebody looks, once, and never when a later drawing that
// replaces it covers it first; the screen ends as if every picture had been drawn at once.
TEST(MemorySurface, MadePictureIsMadeOnlyWhenSeen) {
  const Rect area = Rect::FromSize(1, 1, 4, 3);
  const struct {
    const char* name;
    std::function<void(CMemorySurface&)> after;
    int makes_unseen;  // before the screen is looked at at the end
    int makes;
  } cases[] = {
      {"looked at", [](CMemorySurface& s) { s.Pixels(Layer::Screen); }, 1, 1},
      {"read twice",
       [](CMemorySurface& s) {
         CPixelBuffer out;
         s.Read(Layer::Screen, Rect::FromSize(0, 0, 1, 1), out);
         s.Read(Layer::Screen, Rect::FromSize(0, 0, 1, 1), out);
       },
       1, 1},
      {"a recorded wait",
       [](CMemorySurface& s) {
         s.RecordFrames(Rect::FromSize(0, 0, 8, 6));
         s.PacedWait(1000, 1000.0);
       },
       1, 1},
      {"an unrecorded wait", [](CMemorySurface& s) { s.PacedWait(1000, 1000.0); }, 0, 1},
      {"covered by a fill", [&](CMemorySurface& s) { s.Fill(Layer::Screen, area, 0x123456); }, 0, 0},
      {"covered by a copy", [&](CMemorySurface& s) { s.Copy(Layer::Screen, area, Layer::Picture, {0, 0}, rop::kSrcCopy); }, 0, 0},
      {"covered by blocks in one call",
       [&](CMemorySurface& s) { s.CopyBlocks(Layer::Screen, {0, 0}, std::vector<Rect>{area}, Layer::New, area); }, 0, 0},
      {"partly covered by a copy",
       [&](CMemorySurface& s) { s.Copy(Layer::Screen, Rect::FromSize(2, 1, 3, 3), Layer::Picture, {0, 0}, rop::kSrcCopy); }, 1, 1},
      {"combined with a copy that reads it",
       [&](CMemorySurface& s) { s.Copy(Layer::Screen, area, Layer::Picture, {0, 0}, rop::kSrcInvert); }, 1, 1},
      {"moved within the screen", [&](CMemorySurface& s) { s.Copy(Layer::Screen, area, Layer::Screen, {2, 2}, rop::kSrcCopy); }, 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto make = [] {
      return CMemorySurface(TaggedPicture(8, 6, kOldTag), TaggedPicture(8, 6, kNewTag), TaggedPicture(8, 6, kOldTag + 1));
    };
    CMemorySurface held = make(), drawn = make();
    const CPixelBuffer picture = TaggedPicture(5, 4, kNewTag + 1);
    int makes = 0;
    // Cut to `area`: the made picture is one pixel wider and taller than what shows.
    held.DrawMade(Layer::Screen, {area.left, area.top}, {5, 4}, [&]() -> const CPixelBuffer& {
      ++makes;
      return picture;
    }, area);
    drawn.Draw(Layer::Screen, {area.left, area.top}, picture, Rect::FromSize(0, 0, 5, 4), area);
    c.after(held);
    c.after(drawn);
    EXPECT_EQ(makes, c.makes_unseen);
    EXPECT_EQ(held.Pixels(Layer::Screen), drawn.Pixels(Layer::Screen));
    EXPECT_EQ(makes, c.makes);
  }
}

// Blocks of one shift led by a column: single and neighbouring columns, columns of equal and of
// different heights, a column in many pieces, wider blocks among them, and blocks across many
// rows between the columns all land as if drawn one by one.
TEST(MemorySurface, ColumnsOfOneShiftLandAsIfDrawnOneByOne) {
  const int w = 100, h = 160;
  const Point shift{1, 2};
  CMemorySurface surface(TaggedPicture(w, h, kOldTag), TaggedPicture(w + 1, h + 2, kNewTag), CPixelBuffer());
  CPixelBuffer expected = surface.Pixels(Layer::Screen);
  const CPixelBuffer new_layer = surface.Pixels(Layer::New);
  auto copy = [&](const Rect& block) {
    surface.Copy(Layer::Screen, block, Layer::New, {block.left + shift.x, block.top + shift.y}, rop::kSrcCopy);
    surface.PacedWait(1000, 1000.0);
    for (int y = block.top; y < block.bottom; ++y) {
      for (int x = block.left; x < block.right; ++x) expected.SetPixel(x, y, new_layer.PixelAt(x + shift.x, y + shift.y));
    }
  };
  copy(Rect::FromSize(3, 10, 1, 50));
  for (int x = 10; x < 20; ++x) copy(Rect::FromSize(x, 0, 1, h));          // a band of equal columns
  for (int x = 22; x < 26; x += 2) copy(Rect::FromSize(x, 5, 1, 20 + x));  // columns of their own
  for (int y = 0; y < h; y += 2) copy(Rect::FromSize(30, y, 1, 1));        // more pieces than held
  copy(Rect::FromSize(0, 100, 35, 3));
  copy(Rect::FromSize(3, 55, 1, 10));  // joins the first column
  copy(Rect::FromSize(2, 120, 90, 4));  // rows from here
  copy(Rect::FromSize(50, 0, 1, 50));
  copy(Rect::FromSize(60, 10, 30, 2));
  copy(Rect::FromSize(70, 0, 1, 140));  // columns again
  copy(Rect::FromSize(71, 5, 1, 140));
  EXPECT_EQ(surface.Pixels(Layer::Screen), expected);
}

TEST(MemorySurface, ReadsOutsideTheLayerAsBlack) {
  CMemorySurface surface = SurfaceWithScreen(3, 3);
  CPixelBuffer out;
  ASSERT_TRUE(surface.Read(Layer::Screen, Rect::FromSize(1, -1, 3, 3), out));
  EXPECT_EQ(out.PixelAt(0, 1), surface.Pixels(Layer::Screen).PixelAt(1, 0));
  EXPECT_EQ(out.PixelAt(0, 0), 0u);  // row -1
  EXPECT_EQ(out.PixelAt(2, 1), 0u);  // column 3
  EXPECT_FALSE(surface.Read(Layer::Screen, Rect{}, out));
}

TEST(MemorySurface, SnapshotHoldsTheScreenAreaUntilReleased) {
  CMemorySurface surface = SurfaceWithScreen(6, 5);
  ASSERT_TRUE(surface.TakeOld(Rect::FromSize(2, 1, 3, 3)));
  EXPECT_EQ(surface.LayerSize(Layer::Old), (Size{3, 3}));
  EXPECT_EQ(surface.Pixels(Layer::Old).PixelAt(0, 0), surface.Pixels(Layer::Screen).PixelAt(2, 1));
  surface.ReleaseOld();
  EXPECT_FALSE(surface.SnapshotHeld());
  EXPECT_EQ(surface.LayerSize(Layer::Old), (Size{0, 0}));
  EXPECT_FALSE(surface.TakeOld(Rect{}));
}

TEST(MemorySurface, ClockMovesOnlyBySleeping) {
  CMemorySurface surface = SurfaceWithScreen(1, 1);
  const std::uint32_t start = surface.TickCount();
  surface.Sleep(15);
  CEffectContext context(surface, surface, {0, 0}, {1, 1}, 1000);
  context.Sleep(-3);  // a negative length an effect computes sleeps not at all
  EXPECT_EQ(surface.TickCount() - start, 15u);
}

TEST(MemorySurface, StretchShrinksByTakingThePixelNearestEachCentre) {
  CMemorySurface surface(CPixelBuffer(2, 2), CPixelBuffer(2, 2), TaggedPicture(4, 6, kNewTag));
  surface.Stretch(Layer::New, Rect::FromSize(0, 0, 2, 2), Layer::Picture, Rect::FromSize(0, 0, 4, 6));
  const CPixelBuffer& picture = surface.Pixels(Layer::Picture);
  EXPECT_EQ(surface.Pixels(Layer::New).PixelAt(0, 0), picture.PixelAt(1, 1));
  EXPECT_EQ(surface.Pixels(Layer::New).PixelAt(1, 1), picture.PixelAt(3, 4));
}

}  // namespace
}  // namespace saver::testing
