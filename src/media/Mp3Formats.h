#pragma once
#include <cstdint>

#include "media/Mp3FrameHeader.h"

namespace saver {

// Field-for-field images of the two wave formats of an MP3 conversion (WAVEFORMATEX for the PCM
// side, MPEGLAYER3WAVEFORMAT for the MP3 side), kept portable so their values can be built and
// checked anywhere; the Windows side copies them into the real structures.
struct PcmFormat {
  std::uint16_t format_tag = 1;  // WAVE_FORMAT_PCM
  std::uint16_t channels = 2;
  std::uint32_t samples_per_sec = 44100;
  std::uint32_t avg_bytes_per_sec = 176400;
  std::uint16_t block_align = 4;
  std::uint16_t bits_per_sample = 16;
  std::uint16_t cb_size = 0;
  bool operator==(const PcmFormat&) const = default;
};

struct Mp3SourceFormat {
  std::uint16_t format_tag = 0;
  std::uint16_t channels = 0;
  std::uint32_t samples_per_sec = 0;
  std::uint32_t avg_bytes_per_sec = 0;
  std::uint16_t block_align = 0;
  std::uint16_t bits_per_sample = 0;
  std::uint16_t cb_size = 0;  // bytes after the WAVEFORMATEX part
  std::uint16_t id = 0;
  std::uint32_t flags = 0;
  std::uint16_t block_size = 0;
  std::uint16_t frames_per_block = 0;
  std::uint16_t codec_delay = 0;
  bool operator==(const Mp3SourceFormat&) const = default;
};

inline constexpr std::uint16_t kWaveFormatMpegLayer3 = 0x0055;

// Fills the MP3 source format from the header and sets the PCM destination's rate (half the
// rate for MPEG-1 streams), channels, block align and byte rate; its other fields stay.
void BuildMp3Formats(const Mp3FrameHeader& header, PcmFormat& destination, Mp3SourceFormat& source);

// Sets the PCM sample rate and the byte rate that follows from it.
void SetPcmRate(PcmFormat& format, std::uint32_t samples_per_sec);

}  // namespace saver
