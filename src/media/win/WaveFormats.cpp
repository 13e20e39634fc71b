#include "media/win/WaveFormats.h"

namespace saver::win {

WAVEFORMATEX ToWaveFormatEx(const WaveFormat& format) {
  WAVEFORMATEX out{};
  out.wFormatTag = format.format_tag;
  out.nChannels = format.channels;
  out.nSamplesPerSec = format.samples_per_sec;
  out.nAvgBytesPerSec = format.avg_bytes_per_sec;
  out.nBlockAlign = format.block_align;
  out.wBitsPerSample = format.bits_per_sample;
  out.cbSize = format.cb_size;
  return out;
}

MPEGLAYER3WAVEFORMAT ToMpegLayer3(const MP3SourceFormat& format) {
  static_assert(sizeof(MPEGLAYER3WAVEFORMAT) == 30);
  MPEGLAYER3WAVEFORMAT out{};
  out.wfx = ToWaveFormatEx(format.wave);
  out.wID = format.id;
  out.fdwFlags = format.flags;
  out.nBlockSize = format.block_size;
  out.nFramesPerBlock = format.frames_per_block;
  out.nCodecDelay = format.codec_delay;
  return out;
}

}  // namespace saver::win
