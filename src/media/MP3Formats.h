#pragma once
#include <cstdint>

#include "media/MP3FrameHeader.h"

namespace saver {

// Field-for-field images of the two wave formats of an MP3 conversion (WAVEFORMATEX, and
// MPEGLAYER3WAVEFORMAT which extends it), kept portable so their values can be built and checked
// anywhere; the Windows side copies them into the real structures.
struct WaveFormat {
  std::uint16_t format_tag = 0;
  std::uint16_t channels = 0;
  std::uint32_t samples_per_sec = 0;
  std::uint32_t avg_bytes_per_sec = 0;
  std::uint16_t block_align = 0;
  std::uint16_t bits_per_sample = 0;
  std::uint16_t cb_size = 0;  // bytes of the extension that follows
  bool operator==(const WaveFormat&) const = default;
};

// The PCM destination as the player starts it: 16-bit stereo at 44100 Hz.
struct PcmFormat : WaveFormat {
  PcmFormat() : WaveFormat{1, 2, 44100, 176400, 4, 16, 0} {}
};

struct MP3SourceFormat {
  WaveFormat wave;
  std::uint16_t id = 0;
  std::uint32_t flags = 0;
  std::uint16_t block_size = 0;
  std::uint16_t frames_per_block = 0;
  std::uint16_t codec_delay = 0;
  bool operator==(const MP3SourceFormat&) const = default;
};

inline constexpr std::uint16_t kWaveFormatMpegLayer3 = 0x0055;

// Fills the MP3 source format from the header and sets the PCM destination's rate (half the
// rate for MPEG-1 streams), channels, block align and byte rate; its other fields stay.
void BuildMP3Formats(const MP3FrameHeader& header, PcmFormat& destination, MP3SourceFormat& source);

// Sets the PCM sample rate and the byte rate that follows from it.
void SetPcmRate(WaveFormat& format, std::uint32_t samples_per_sec);

}  // namespace saver
