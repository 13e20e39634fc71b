#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "scene/SceneRuntime.h"

namespace saver::testing_support {

// A scene runtime in memory: sleeps and fills are recorded instead of done, and a test can set the
// stop request at any moment through a hook run after each sleep.
class RecordingRuntime : public CSceneRuntime {
 public:
  bool StopRequested() const override { return stop_; }
  void Sleep(std::uint32_t milliseconds) override {
    sleeps.push_back(milliseconds);
    if (after_sleep) after_sleep(*this);
  }
  void PacedWait(std::int32_t, double) override {}
  std::uint32_t TickCount() const override { return 0; }
  const RandomSeedSources& SeedSources() const override { return seed_sources_; }
  void FillScreen(std::uint32_t colour, std::uint32_t) override { fills.push_back(colour); }
  void ArmLink(std::string link, int) override { armed_link = std::move(link); }

  void RequestStop() { stop_ = true; }

  std::vector<std::uint32_t> sleeps;
  std::vector<std::uint32_t> fills;
  std::string armed_link;
  std::function<void(RecordingRuntime&)> after_sleep;

 private:
  bool stop_ = false;
  RandomSeedSources seed_sources_ = RandomSeedSources::Portable();
};

}  // namespace saver::testing_support
