#pragma once
#include <cstdint>

#include "render/FrameRecorder.h"
#include "render/OffscreenStage.h"
#include "scene/SceneRuntime.h"

namespace saver::tool {

// The scene thread of a show rendered off screen, on a virtual clock: sleeps and paced waits move
// the clock instead of taking time, so a show renders as fast as it draws and the same way every
// time. A paced wait of n polls lasts n / calibration seconds. The clock also drives the seeds
// random colours and points mix in. The show is told to stop when the clock reaches the limit.
// Media items play nothing; armed links are counted.
class COffscreenRuntime final : public CSceneRuntime {
 public:
  COffscreenRuntime(COffscreenStage& stage, CFrameRecorder& recorder, std::uint32_t calibration);
  // The seed sources read this object's clock.
  COffscreenRuntime(const COffscreenRuntime&) = delete;
  COffscreenRuntime& operator=(const COffscreenRuntime&) = delete;

  int LinksArmed() const { return links_armed_; }
  // Milliseconds of show time passed.
  std::uint32_t Clock() const;
  // The show is over: the frames still due and the closing frame.
  void Finish();

  bool StopRequested() const override;
  void Sleep(std::uint32_t milliseconds) override;
  void PacedWait(std::int32_t a, double k) override;
  std::uint32_t TickCount() const override;
  const RandomSeedSources& SeedSources() const override { return seed_sources_; }
  void FillScreen(std::uint32_t colour, std::uint32_t) override { stage_.FillWindow(colour); }
  void ArmLink(std::string link, int) override { links_armed_ += link.empty() ? 0 : 1; }
  CImageStage* Images() override { return &stage_; }

 private:
  void Hold(std::uint64_t microseconds);
  // A loop that only looks at the clock or the stop request never waits, and would never see
  // either change: every kIdleLooksPerMillisecond looks without a wait pass one millisecond. The
  // frames due in that time are written at the next wait, showing the screen as it is then.
  void CountIdleLook() const;
  std::uint64_t NowMicroseconds() const;

  COffscreenStage& stage_;
  CFrameRecorder& recorder_;
  std::uint32_t calibration_;
  RandomSeedSources seed_sources_;
  int links_armed_ = 0;
  mutable std::uint32_t idle_looks_ = 0;
  mutable std::uint64_t idle_microseconds_ = 0;  // passed by idle looks, not yet handed to the recorder
};

}  // namespace saver::tool
