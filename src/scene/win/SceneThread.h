#pragma once
// The thread the show runs on. In show mode it walks the timeline, then stops what the show
// started; in counting mode it only counts how often it can poll its stop event, which gives the
// calibration count that paces every busy wait of the show.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "base/win/ScopedWin.h"
#include "scene/SceneRuntime.h"
#include "scene/win/LowPowerPacer.h"
#include "scene/win/ShowHost.h"

namespace saver::win {

class CSceneThread : public CSceneRuntime {
 public:
  using Show = std::function<void(CSceneRuntime&)>;

  // `times` is the application's calibration count: read by PacedWait, written in counting mode.
  CSceneThread(CShowHost& host, std::uint32_t* times, bool counting_mode, Show show,
               RandomSeedSources seed_sources = RandomSeedSources::Portable());
  CSceneThread(const CSceneThread&) = delete;
  CSceneThread& operator=(const CSceneThread&) = delete;
  // Stops the thread if it still runs.
  ~CSceneThread() override;

  // Creates the thread suspended, gives it normal priority and resumes it. False if it could not be
  // created (or the events could not).
  bool Start();
  // Ends the show and waits, without limit, until the thread has ended. Sent messages (the scene
  // thread's repaint requests) are answered meanwhile, so a show in the middle of a fill cannot
  // deadlock its window. Returns at once when the thread has already ended.
  void Stop();
  // Set when the run has ended, after its end steps.
  HANDLE ExitedEvent() const { return exited_.Get(); }
  // Gives the show its media players (made with StopEvent); call on the saver window's thread
  // before Start. Without them media items play nothing.
  void UseMedia(std::unique_ptr<CMediaPlayers> players);
  // Set when the show is asked to end: the players' own waits end on it too.
  HANDLE StopEvent() const { return stop_.Get(); }
  // Paced waits sleep on a timer instead of polling, with the same lengths; call before Start.
  void UseLowPowerPacing();

  // CSceneRuntime, the pacing included
  bool StopRequested() const override;
  void Sleep(std::uint32_t milliseconds) override;
  void PacedWait(std::int32_t a, double k) override;
  std::uint32_t TickCount() const override;
  void FillScreen(std::uint32_t colour, std::uint32_t raster_operation) override;
  void ArmLink(std::string link, int key_mode) override;
  const RandomSeedSources& SeedSources() const override { return seed_sources_; }
  CMediaPlayers* Media() override;

 private:
  static unsigned __stdcall ThreadMain(void* self);
  void Count();
  void RunShow();
  void StopShowSounds();

  CShowHost& host_;
  std::uint32_t* times_;
  bool counting_mode_;
  Show show_;
  RandomSeedSources seed_sources_;
  ScopedHandle stop_;
  ScopedHandle exited_;
  ScopedHandle thread_;
  std::unique_ptr<CMediaPlayers> players_;           // released by the thread at the end of its show
  std::unique_ptr<CLowPowerPacer> low_power_pacer_;  // null: the polling wait
};

}  // namespace saver::win
