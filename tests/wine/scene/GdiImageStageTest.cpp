// Image actions drawn through GDI: a memory DC as large as the screen stands for the saver
// window, and what the actions leave on it is read back and compared with the same pictures
// placed in memory.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../../native/scene/ImageActionFixtures.h"
#include "base/win/ScopedWin.h"
#include "imaging/KeyedDraw.h"
#include "imaging/PictureWriters.h"
#include "scene/HideImageItem.h"
#include "scene/ImageItem.h"
#include "scene/LineItem.h"
#include "scene/MoveImageItem.h"
#include "scene/ShowImageItem.h"
#include "scene/win/GdiImageStage.h"
#include "support/CollectedMessages.h"

namespace saver::win {
namespace {

using saver::testing_support::CollectedMessages;
using namespace testing_support;  // the shared pictures, actions and comparisons

constexpr std::uint32_t kWindowBackground = 0x00203040;

// A screen-sized bitmap in a memory DC, the stage over it and a runtime that waits for nothing.
class GdiShow : public CSceneRuntime {
 public:
  GdiShow() {
    CScopedWindowDC desktop(nullptr);
    size_ = {GetDeviceCaps(desktop.Get(), HORZRES), GetDeviceCaps(desktop.Get(), VERTRES)};
    dc_ = ScopedMemoryDC(CreateCompatibleDC(desktop.Get()));
    bitmap_ = ScopedBitmap(CreateCompatibleBitmap(desktop.Get(), size_.width, size_.height));
    selection_.emplace(dc_.Get(), bitmap_.Get());
    stage_ = std::make_unique<CGdiImageStage>(
        dc_.Get(), [] { return kWindowBackground; }, CGdiImageStage::Files{}, messages);
    stage_->Screen().Fill(Rect::FromSize(0, 0, size_.width, size_.height), kWindowBackground);
  }

  Size ScreenSize() const { return size_; }
  CPixelBuffer Pixels() {
    CPixelBuffer pixels;
    EXPECT_TRUE(stage_->Screen().Read(Rect::FromSize(0, 0, size_.width, size_.height), pixels));
    return pixels;
  }
  CGdiImageStage& Stage() { return *stage_; }

  bool StopRequested() const override { return false; }
  void Sleep(std::uint32_t) override {}
  void PacedWait(std::int32_t, double) override {}
  std::uint32_t TickCount() const override { return GetTickCount(); }
  const RandomSeedSources& SeedSources() const override { return sources_; }
  void FillScreen(std::uint32_t, std::uint32_t) override {}
  void ArmLink(std::string, int) override {}
  CImageStage* Images() override { return stage_.get(); }

  CollectedMessages messages;

 private:
  Size size_;
  // Members go in reverse: the stage first, then the selection, the bitmap and the DC.
  ScopedMemoryDC dc_;
  ScopedBitmap bitmap_;
  std::optional<CScopedSelect> selection_;
  RandomSeedSources sources_ = RandomSeedSources::Portable();
  std::unique_ptr<CGdiImageStage> stage_;
};

CPixelBuffer Filled(Size size, std::uint32_t colour) {
  CPixelCanvas canvas(CPixelBuffer(size.width, size.height));
  canvas.Fill(Rect::FromSize(0, 0, size.width, size.height), colour);
  return std::move(canvas.Pixels());
}

TEST(GdiImageStageTest, ShowsPicturesWhereTheirPathPutsThem) {
  const CPixelBuffer picture = Pattern(64, 48, 1);
  for (int effect : {0, 10, 40}) {
    GdiShow show;
    auto image = Picture(picture);
    auto action = ActionOn<CShowImageItem>(*image, {0, 0});
    action->Prop().path.modes = {kModeCentre, kModeEdgeEnd, kModeStored, kModeStored};
    action->Prop().path.effect_number = effect;
    Execute(*action, show);
    const Size screen = show.ScreenSize();
    const Point at{screen.width / 2 - 32, screen.height - 48};
    EXPECT_EQ(Differences(show.Pixels(), Placed(Filled(screen, kWindowBackground), picture, at)), 0) << effect;
    EXPECT_TRUE(show.messages.shown.empty());
  }
}

TEST(GdiImageStageTest, KeyedTextShowsThePictureThroughTheKeyColour) {
  GdiShow show;
  const Size screen = show.ScreenSize();
  const CPixelBuffer picture = Pattern(200, 100, 2);
  auto image = Picture(picture);
  Execute(*ActionOn<CShowImageItem>(*image, {10, 10}), show);
  CImageItem text;
  text.kind = CImageItem::kKindText;
  text.text = "Keyed\r\ntext";
  text.opaque = 0;
  text.text_colour = 0x000000FF;
  const auto rendered = show.Stage().RenderText(text, {});
  ASSERT_TRUE(rendered);
  text.image.SetDecodedPixels(*rendered);
  Execute(*ActionOn<CShowImageItem>(text, {20, 15}), show);
  CPixelBuffer expected = Placed(Filled(screen, kWindowBackground), picture, {10, 10});
  DrawKeyed(expected, *rendered, {20, 15}, kTextKeyColor);
  EXPECT_EQ(Differences(show.Pixels(), expected), 0);
  // The text drew something, and the key colour was not drawn anywhere.
  EXPECT_GT(Differences(expected, Placed(Filled(screen, kWindowBackground), picture, {10, 10})), 0);
}

TEST(GdiImageStageTest, MoveEndsWhereStepSaysAndHideRestoresTheBackground) {
  GdiShow show;
  const Size screen = show.ScreenSize();
  const CPixelBuffer backdrop = Pattern(screen.width, screen.height, 3);
  show.Stage().Screen().Draw({0, 0}, backdrop);
  const CPixelBuffer picture = Pattern(40, 30, 4);
  auto image = Picture(picture);
  auto move = ActionOn<CMoveImageItem>(*image, {5, 5}, {200, 120});
  move->Prop().path.step_x = 7;
  move->Prop().path.screen_copy_background = 1;
  move->Prop().path.save_background = 1;
  Execute(*move, show);
  CPathProperty expected_path;
  expected_path.Copy(move->Prop().path);
  expected_path.Compute({40, 30}, show.Stage().Metrics(), show.SeedSources());
  while (!expected_path.Step()) {
  }
  const Point end{expected_path.current_x, expected_path.current_y};
  EXPECT_EQ(Differences(show.Pixels(), Placed(backdrop, picture, end)), 0);
  Execute(*ActionOn<CHideImageItem>(*image, {}), show);
  EXPECT_EQ(Differences(show.Pixels(), backdrop), 0);
}

TEST(GdiImageStageTest, LinesAreDrawnWithTheirPen) {
  GdiShow show;
  CLineItem line;
  line.path.start_x = 10, line.path.start_y = 20;
  line.path.end_x = 110, line.path.end_y = 20;
  line.pen_width = 3;
  line.colour.colour = 0x0000FF00;
  Execute(line, show);
  const CPixelBuffer pixels = show.Pixels();
  EXPECT_EQ(pixels.PixelAt(60, 19), 0x0000FF00u);
  EXPECT_EQ(pixels.PixelAt(60, 20), 0x0000FF00u);
  EXPECT_EQ(pixels.PixelAt(60, 21), 0x0000FF00u);
  EXPECT_EQ(pixels.PixelAt(60, 25), kWindowBackground);
}

// Shows, moves, hides, failed pictures and texts leave no GDI object or DC behind, over 500
// executions.
TEST(GdiImageStageTest, ActionsReleaseEveryObjectTheyMake) {
  GdiShow show;
  const long objects = LiveCounts::gdi_objects, dcs = LiveCounts::dcs;
  auto picture = Picture(Pattern(50, 40, 5));
  auto damaged = Picture(Pattern(50, 40, 6));
  std::vector<std::uint8_t> cut = damaged->data.PlainCopy();
  cut.resize(30);
  damaged->data = std::move(cut);
  CImageItem text;
  text.kind = CImageItem::kKindText;
  text.text = "ab";
  text.opaque = 0;
  auto show_picture = ActionOn<CShowImageItem>(*picture, {3, 3});
  show_picture->Prop().path.effect_number = 3;
  show_picture->Prop().path.save_background = 1;
  auto move = ActionOn<CMoveImageItem>(*picture, {3, 3}, {30, 20});
  move->Prop().path.step_x = 9;
  auto hide = ActionOn<CHideImageItem>(*picture, {});
  auto show_damaged = ActionOn<CShowImageItem>(*damaged, {0, 0});
  auto type_text = ActionOn<CShowImageItem>(text, {90, 90});
  type_text->Prop().path.typewriter = 1;
  type_text->Prop().path.typewriter_delay = 2000;
  for (int pass = 0; pass < 100; ++pass) {
    for (CSceneItem* item : std::initializer_list<CSceneItem*>{show_picture.get(), move.get(), hide.get(),
                                                               show_damaged.get(), type_text.get()}) {
      Execute(*item, show);
    }
  }
  EXPECT_EQ(LiveCounts::gdi_objects, objects);
  EXPECT_EQ(LiveCounts::dcs, dcs);
  EXPECT_FALSE(show.messages.shown.empty());  // the damaged picture was reported, not drawn
}

}  // namespace
}  // namespace saver::win
