// The GDI surface draws what the memory surface draws: the same effects run on both, over
// 24-bit DIB sections read back pixel by pixel, give the same frame at every wait and the same
// last frame; the static placements tile and stretch over a screen-sized frame alike.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EffectFixture.h"
#include "base/win/ScopedWin.h"
#include "effects/EffectContext.h"
#include "effects/win/DibCanvas.h"
#include "effects/win/GdiSurface.h"

namespace saver::testing {
namespace {

using win::CDibCanvas;

// Keeps the target area of the screen at every wait, as the memory surface does.
class FrameRecordingPacer : public CPacer {
 public:
  FrameRecordingPacer(CDibCanvas& screen, Rect area) : screen_(screen), area_(area) {}
  void PacedWait(std::int32_t, double) override { frames.push_back(screen_.Read(area_)); }
  bool StopRequested() const override { return false; }
  std::uint32_t TickCount() const override { return GetTickCount(); }
  void Sleep(std::uint32_t milliseconds) override { ::Sleep(milliseconds); }

  std::vector<CPixelBuffer> frames;

 private:
  CDibCanvas& screen_;
  Rect area_;
};

// The same pictures and target as EffectRun, drawn through GDI.
struct GdiRun {
  GdiRun(const EffectRun& memory)
      : screen(memory.screen_before),
        frame(CPixelBuffer(memory.target.Width(), memory.target.Height())),
        picture(memory.NewPicture()),
        pacer(screen, memory.target),
        surface(screen.Dc(), {memory.screen_before.Width(), memory.screen_before.Height()}, frame.Dc(), picture.Dc()) {}

  void Run(int effect, const Rect& target) {
    CTransition transition(effect, {target, std::nullopt}, surface, pacer);
    Point point{target.left, target.top};
    transition.ImageEffects(point, 700, 0, 0);
  }

  CDibCanvas screen, frame, picture;
  FrameRecordingPacer pacer;
  win::CGdiSurface surface;
};

struct Case {
  int effect;
  Size size;
};

// Slides, uncovers and pushes, with odd sizes and blocks that reach past the target.
const Case kCases[] = {{10, {9, 7}}, {24, {6, 5}}, {29, {5, 6}}, {45, {12, 8}}, {46, {7, 11}},
                       {54, {6, 9}}, {73, {20, 12}}, {9, {11, 6}}, {53, {5, 7}}, {36, {8, 12}}};

class GdiMatchesMemory : public ::testing::TestWithParam<Case> {};

TEST_P(GdiMatchesMemory, SameFrameAtEveryWaitAndSameScreenAfterwards) {
  const Case& c = GetParam();
  EffectRun memory(c.size.width, c.size.height);
  GdiRun gdi(memory);
  ASSERT_TRUE(gdi.screen.Valid() && gdi.frame.Valid() && gdi.picture.Valid());
  const long dcs_before = win::LiveCounts::dcs, objects_before = win::LiveCounts::gdi_objects;

  memory.Run(c.effect);
  gdi.Run(c.effect, memory.target);

  const auto& expected = memory.surface.Frames();
  ASSERT_EQ(gdi.pacer.frames.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(gdi.pacer.frames[i], expected[i]) << "wait " << i;
  const CPixelBuffer& screen = memory.surface.Pixels(Layer::Screen);
  EXPECT_EQ(gdi.screen.Read(Rect::FromSize(0, 0, screen.Width(), screen.Height())), screen);
  // The snapshot's DC and bitmap are gone again.
  EXPECT_EQ(win::LiveCounts::dcs, dcs_before);
  EXPECT_EQ(win::LiveCounts::gdi_objects, objects_before);
}

INSTANTIATE_TEST_SUITE_P(Effects, GdiMatchesMemory, ::testing::ValuesIn(kCases), [](const auto& info) {
  return "Effect" + std::to_string(info.param.effect);
});

// Pixel buffers read and drawn through the effect context land on the same pixels on both.
TEST(GdiSurface, ReadsAndDrawsPixelBuffersLikeTheMemorySurface) {
  EffectRun memory(6, 5);
  GdiRun gdi(memory);
  const CPixelBuffer patch = TaggedPicture(4, 3, 0x22);
  for (CDrawingSurface* surface :
       {static_cast<CDrawingSurface*>(&memory.surface), static_cast<CDrawingSurface*>(&gdi.surface)}) {
    CEffectContext context(*surface, memory.surface, {memory.target.left, memory.target.top}, {6, 5}, 1000);
    CPixelBuffer seen;
    ASSERT_TRUE(context.ReadScreen(seen));
    EXPECT_EQ(seen, memory.OldPicture());
    context.DrawPixels(patch, 4, 3);  // reaches past the target: cut to 2 x 2
    context.FillTarget(0x00010203);
    context.DrawPixels(patch, -1, -1);
  }
  const CPixelBuffer& screen = memory.surface.Pixels(Layer::Screen);
  EXPECT_EQ(gdi.screen.Read(Rect::FromSize(0, 0, screen.Width(), screen.Height())), screen);
  EXPECT_EQ(memory.ChangedOutsideTarget(), 0);
}

// Tiled and stretched placements over a screen-sized frame.
TEST(GdiSurface, PlacementsTileAndStretchLikeTheMemorySurface) {
  constexpr int kScreenW = 160, kScreenH = 120;
  for (const auto& [effect, picture_size] : {std::pair{1, Size{13, 7}}, std::pair{2, Size{20, 15}}}) {
    const CPixelBuffer picture = TaggedPicture(picture_size.width, picture_size.height, kNewTag);
    CMemorySurface memory(CPixelBuffer(kScreenW, kScreenH), CPixelBuffer(kScreenW, kScreenH), picture);
    CDibCanvas screen(CPixelBuffer(kScreenW, kScreenH)), frame(CPixelBuffer(kScreenW, kScreenH)), source(picture);
    win::CGdiSurface gdi(screen.Dc(), {kScreenW, kScreenH}, frame.Dc(), source.Dc());
    for (CDrawingSurface* surface : {static_cast<CDrawingSurface*>(&memory), static_cast<CDrawingSurface*>(&gdi)}) {
      CTransition transition(effect, {Rect::FromSize(0, 0, picture_size.width, picture_size.height), 0x00808080},
                             *surface, memory);
      transition.DrawPlaced();
      transition.CopyToScreen(false, {});
    }
    EXPECT_EQ(screen.Read(Rect::FromSize(0, 0, kScreenW, kScreenH)), memory.Pixels(Layer::Screen)) << effect;
    // Tiles repeat the picture; the stretch scales it by 8 both ways.
    const CPixelBuffer& shown = memory.Pixels(Layer::Screen);
    const Point probe{150, 100};
    const Point from = effect == 1 ? Point{probe.x % 13, probe.y % 7} : Point{probe.x / 8, probe.y / 8};
    EXPECT_EQ(shown.PixelAt(probe.x, probe.y), picture.PixelAt(from.x, from.y)) << effect;
  }
}

}  // namespace
}  // namespace saver::testing
