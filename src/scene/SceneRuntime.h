#pragma once
#include <cstdint>
#include <string>

#include "base/RandomSeed.h"

namespace saver {

class ImageStage;
class MediaPlayers;

// What a scene item may use while it executes on the scene thread. The scene thread implements it
// over the saver window; tests implement it in memory. Every wait an item makes goes through here,
// so that a stop request is noticed within one slice.
class SceneRuntime {
 public:
  virtual ~SceneRuntime() = default;

  // True once the show has been told to end; items return as soon as they see it.
  virtual bool StopRequested() const = 0;
  // Sleeps for up to `milliseconds` (items keep each sleep to one slice, see kSleepSliceMs).
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  // Busy wait of (1 - a/k) * calibration count * k * 0.00001 polls of the stop event.
  virtual void PacedWait(std::int32_t a, double k) = 0;
  // Milliseconds since an arbitrary start; wraps after 49.7 days.
  virtual std::uint32_t TickCount() const = 0;
  // The clocks and the calibration count that random colours mix into their seeds.
  virtual const RandomSeedSources& SeedSources() const = 0;

  // Makes `colour` (0x00BBGGRR) the saver window's background and repaints it at once. The raster
  // operation travels with it but the window does not use it.
  virtual void FillScreen(std::uint32_t colour, std::uint32_t raster_operation) = 0;
  // Arms the web link that the key of `key_mode` (0 Enter, 1 F12, 2 Space, 3 any of them; -1 none)
  // hands to the application, to be opened when the saver ends. An empty link with -1 clears it.
  virtual void ArmLink(std::string link, int key_mode) = 0;
  // The screen that image and line items draw on, with what they need around it; null where the
  // show has no screen, and the drawing items then draw nothing.
  virtual ImageStage* Images() { return nullptr; }
  // The players that media items start and stop; null where the show has none, and media items
  // then play nothing.
  virtual MediaPlayers* Media() { return nullptr; }
};

// Longest sleep an item makes before it looks at the stop request again.
inline constexpr std::uint32_t kSleepSliceMs = 100;

}  // namespace saver
