#include "media/MP3Formats.h"

namespace saver {
namespace {

constexpr std::uint16_t kMpegLayer3IdMpeg = 1;
constexpr std::uint32_t kMpegLayer3FlagPaddingOff = 2;
constexpr std::uint16_t kMpegLayer3CodecDelay = 1393;
// Bytes of an MPEG-1 layer-3 frame per (kbit/s ÷ Hz); used for every version, which gives the
// codec a block twice the true frame size for MPEG-2 and 2.5 streams. The codecs accept it.
constexpr std::int32_t kBlockSizeFactor = 144000;

// MPEG-1 rates decode at half their rate, which keeps the wave buffers at half the size; the
// lower rates decode as they are.
std::uint32_t PcmRateFor(std::uint32_t source_rate) {
  switch (source_rate) {
    case 32000: return 16000;
    case 44100: return 22050;
    case 48000: return 24000;
    default: return source_rate;
  }
}

}  // namespace

void SetPcmRate(WaveFormat& format, std::uint32_t samples_per_sec) {
  format.samples_per_sec = samples_per_sec;
  format.avg_bytes_per_sec = samples_per_sec * format.block_align;
}

void BuildMP3Formats(const MP3FrameHeader& header, PcmFormat& destination, MP3SourceFormat& source) {
  source.wave.format_tag = kWaveFormatMpegLayer3;
  source.wave.channels = header.channel_mode == kMP3SingleChannel ? 1 : 2;
  source.wave.samples_per_sec = header.sample_rate;
  source.wave.avg_bytes_per_sec = header.bitrate * 1000u / 8u;
  source.wave.block_align = 1;
  source.wave.bits_per_sample = 0;
  source.wave.cb_size = 12;
  source.id = kMpegLayer3IdMpeg;
  source.flags = kMpegLayer3FlagPaddingOff;
  // A header that did not come from the decoder may carry no rate; no block size then.
  source.block_size = header.sample_rate == 0
                          ? 0
                          : static_cast<std::uint16_t>(static_cast<std::int32_t>(header.bitrate) * kBlockSizeFactor /
                                                       static_cast<std::int32_t>(header.sample_rate));
  source.frames_per_block = 1;
  source.codec_delay = kMpegLayer3CodecDelay;

  destination.channels = source.wave.channels;
  destination.block_align = static_cast<std::uint16_t>(destination.channels * destination.bits_per_sample / 8);
  SetPcmRate(destination, PcmRateFor(header.sample_rate));
}

}  // namespace saver
