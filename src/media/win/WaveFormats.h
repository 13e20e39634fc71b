#pragma once
// The portable wave formats as the structures that ACM and waveOut take.
#include <windows.h>
// <windows.h> leaves the multimedia declarations out when built lean.
#include <mmsystem.h>
#include <mmreg.h>

#include "media/MP3Formats.h"

namespace saver::win {

WAVEFORMATEX ToWaveFormatEx(const WaveFormat& format);
MPEGLAYER3WAVEFORMAT ToMpegLayer3(const MP3SourceFormat& format);

}  // namespace saver::win
