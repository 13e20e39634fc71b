#include "media/MP3FrameHeader.h"

namespace saver {
namespace {

// Version field values (bits 20..19); 00 is MPEG-2.5.
constexpr unsigned kVersionReserved = 1;
constexpr unsigned kVersion2 = 2;
constexpr unsigned kVersion1 = 3;

// kbit/s by bitrate index 1..14 (index 0 is free format, 15 is invalid; both are rejected).
// MPEG-1 rows from ISO/IEC 11172-3; MPEG-2 and 2.5 share the low-sampling-frequency rows of
// ISO/IEC 13818-3, where layers 2 and 3 have the same row.
constexpr std::uint16_t kMpeg1Bitrates[3][15] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},  // layer 1
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},     // layer 2
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},      // layer 3
};
constexpr std::uint16_t kMpeg2Bitrates[2][15] = {
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},  // layer 1
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},       // layers 2 and 3
};

// Hz by sample-rate index 0..2, per version field (00 = 2.5, 10 = 2, 11 = 1).
constexpr std::uint32_t kSampleRates[4][3] = {
    {11025, 12000, 8000},
    {0, 0, 0},
    {22050, 24000, 16000},
    {44100, 48000, 32000},
};

std::uint16_t BitrateFor(unsigned version_field, unsigned layer, unsigned index) {
  if (version_field == kVersion1) return kMpeg1Bitrates[layer - 1][index];
  return kMpeg2Bitrates[layer == 1 ? 0 : 1][index];
}

float VersionNumber(unsigned version_field) {
  switch (version_field) {
    case kVersion1: return 1.0f;
    case kVersion2: return 2.0f;
    default: return 2.5f;
  }
}

}  // namespace

std::optional<MP3FrameHeader> DecodeMP3FrameHeader(std::uint32_t word) {
  const unsigned sync = word >> 21;
  const unsigned version_field = (word >> 19) & 0x3;
  const unsigned layer_field = (word >> 17) & 0x3;
  const unsigned bitrate_index = (word >> 12) & 0xF;
  const unsigned rate_index = (word >> 10) & 0x3;
  const unsigned emphasis = word & 0x3;
  if (sync != 0x7FF || version_field == kVersionReserved || layer_field == 0 ||
      bitrate_index == 0 || bitrate_index == 0xF || rate_index == 3 || emphasis == 2) {
    return std::nullopt;
  }
  MP3FrameHeader header;
  header.version = VersionNumber(version_field);
  header.layer = static_cast<std::uint16_t>(4 - layer_field);
  header.bitrate = BitrateFor(version_field, header.layer, bitrate_index);
  header.sample_rate = kSampleRates[version_field][rate_index];
  header.channel_mode = static_cast<std::uint16_t>((word >> 6) & 0x3);
  return header;
}

}  // namespace saver
