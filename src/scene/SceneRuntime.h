#pragma once
#include <cstdint>
#include <string>

#include "base/RandomSeed.h"
#include "effects/Pacer.h"

namespace saver {

class CImageStage;
class CMediaPlayers;

// What a scene item may use while it executes on the scene thread. The scene thread implements it
// over the saver window; tests implement it in memory. Every wait an item makes goes through the
// Pacer base, so that a stop request is noticed within one slice (items keep each sleep to one
// slice, see kSleepSliceMs).
class CSceneRuntime : public CPacer {
 public:
  // The object that does the waits: a runtime that wraps another hands out the inner one's, so
  // that a transition's waits reach the scene thread in one call.
  virtual CPacer& Pacing() { return *this; }
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
  virtual CImageStage* Images() { return nullptr; }
  // The players that media items start and stop; null where the show has none, and media items
  // then play nothing.
  virtual CMediaPlayers* Media() { return nullptr; }
};

// Longest sleep an item makes before it looks at the stop request again.
inline constexpr std::uint32_t kSleepSliceMs = 100;

}  // namespace saver
