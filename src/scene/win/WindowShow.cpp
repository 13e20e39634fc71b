#include "scene/win/WindowShow.h"

#include "base/win/ScopedWin.h"
#include "base/win/TextConversion.h"
#include "imaging/win/MessageBoxSink.h"
#include "scene/ShowLoop.h"
#include "scene/win/GdiImageStage.h"

namespace saver::win {
namespace {

// The scene thread's runtime as it is, plus the image stage, and the colour the last fill gave
// the window (black when a show starts), which erasing paints with.
class CRuntimeWithStage final : public CSceneRuntime {
 public:
  explicit CRuntimeWithStage(CSceneRuntime& runtime) : runtime_(runtime) {}

  void SetStage(CImageStage* stage) { stage_ = stage; }
  std::uint32_t Background() const { return background_; }

  bool StopRequested() const override { return runtime_.StopRequested(); }
  void Sleep(std::uint32_t milliseconds) override { runtime_.Sleep(milliseconds); }
  void PacedWait(std::int32_t a, double k) override { runtime_.PacedWait(a, k); }
  CPacer& Pacing() override { return runtime_.Pacing(); }
  std::uint32_t TickCount() const override { return runtime_.TickCount(); }
  const RandomSeedSources& SeedSources() const override { return runtime_.SeedSources(); }
  void FillScreen(std::uint32_t colour, std::uint32_t raster_operation) override {
    background_ = colour;
    runtime_.FillScreen(colour, raster_operation);
  }
  void ArmLink(std::string link, int key_mode) override { runtime_.ArmLink(std::move(link), key_mode); }
  CImageStage* Images() override { return stage_; }
  CMediaPlayers* Media() override { return runtime_.Media(); }

 private:
  CSceneRuntime& runtime_;
  CImageStage* stage_ = nullptr;
  std::uint32_t background_ = RGB(0, 0, 0);
};

}  // namespace

void RunItemsOnWindow(const CItemList& items, CSceneRuntime& runtime, HWND window, const ShowPictureFiles& files) {
  CRuntimeWithStage show(runtime);
  CScopedWindowDC dc(window);
  CMessageBoxSink messages;
  if (!dc) {
    RunShowItems(items, show);  // the timeline still runs; pictures have nowhere to go
    return;
  }
  CGdiImageStage stage(
      dc.Get(), [&show] { return show.Background(); },
      {Utf8FromWide(files.desktop_snapshot), Utf8FromWide(files.wallpaper)}, messages);
  show.SetStage(&stage);
  RunShowItems(items, show);
}

}  // namespace saver::win
