#pragma once
// Owners for the audio handles of the MP3 player, built on the counted owners of ScopedWin.h.
#include <windows.h>
// <windows.h> leaves the multimedia declarations out when built lean.
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>

#include "base/win/ScopedWin.h"

namespace saver::win {

struct AcmStreamTraits {
  static HACMSTREAM Invalid() { return nullptr; }
  static void Close(HACMSTREAM stream) { acmStreamClose(stream, 0); }
  static std::atomic<long>& Count() { return LiveCounts::handles; }
};
// The device hands back every queued buffer on reset; closing without it fails while any plays.
struct WaveOutTraits {
  static HWAVEOUT Invalid() { return nullptr; }
  static void Close(HWAVEOUT wave) {
    waveOutReset(wave);
    waveOutClose(wave);
  }
  static std::atomic<long>& Count() { return LiveCounts::handles; }
};

using ScopedAcmStream = CScopedResource<HACMSTREAM, AcmStreamTraits>;
using ScopedWaveOut = CScopedResource<HWAVEOUT, WaveOutTraits>;

}  // namespace saver::win
