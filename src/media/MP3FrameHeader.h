#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

namespace saver {

// What the first MPEG audio frame header of a stream says, in the units the wave formats need.
struct MP3FrameHeader {
  float version = 0.0f;          // 1.0 MPEG-1, 2.0 MPEG-2, 2.5 MPEG-2.5
  std::uint16_t layer = 0;       // 1, 2 or 3
  std::uint16_t bitrate = 0;     // kbit/s
  std::uint32_t sample_rate = 0; // Hz
  std::uint16_t channel_mode = 0;  // the header's two bits; 3 is single channel

  bool operator==(const MP3FrameHeader&) const = default;
};

inline constexpr std::uint16_t kMP3SingleChannel = 3;
// Headers are looked for only this far into the data.
inline constexpr std::size_t kMP3HeaderSearchLimit = 10240;

// Decodes four header bytes read as one big-endian word; none when a sync, version, layer,
// bitrate, sample-rate or emphasis field rules the word out as a frame header.
std::optional<MP3FrameHeader> DecodeMP3FrameHeader(std::uint32_t word);

}  // namespace saver
