#include <gtest/gtest.h>

#include "media/MP3Formats.h"

namespace saver {
namespace {

MP3FrameHeader Header(std::uint16_t bitrate, std::uint32_t rate, std::uint16_t channel_mode) {
  MP3FrameHeader h;
  h.version = rate >= 32000 ? 1.0f : 2.0f;
  h.layer = 3;
  h.bitrate = bitrate;
  h.sample_rate = rate;
  h.channel_mode = channel_mode;
  return h;
}

TEST(MP3Formats, SourceFormatOf128kStereoAt44100) {
  PcmFormat pcm;
  MP3SourceFormat mp3;
  BuildMP3Formats(Header(128, 44100, 0), pcm, mp3);
  EXPECT_EQ(mp3.wave.format_tag, 0x55);
  EXPECT_EQ(mp3.wave.channels, 2);
  EXPECT_EQ(mp3.wave.samples_per_sec, 44100u);
  EXPECT_EQ(mp3.wave.avg_bytes_per_sec, 16000u);
  EXPECT_EQ(mp3.wave.block_align, 1);
  EXPECT_EQ(mp3.wave.bits_per_sample, 0);
  EXPECT_EQ(mp3.wave.cb_size, 12);
  EXPECT_EQ(mp3.id, 1);
  EXPECT_EQ(mp3.flags, 2u);
  EXPECT_EQ(mp3.block_size, 417);  // 128 * 144000 / 44100 = 417.9
  EXPECT_EQ(mp3.frames_per_block, 1);
  EXPECT_EQ(mp3.codec_delay, 1393);
}

TEST(MP3Formats, PcmRateIsHalvedForMpeg1RatesOnly) {
  const struct {
    std::uint32_t source;
    std::uint32_t pcm;
  } cases[] = {{8000, 8000},   {11025, 11025}, {12000, 12000}, {16000, 16000}, {22050, 22050},
               {24000, 24000}, {32000, 16000}, {44100, 22050}, {48000, 24000}};
  for (const auto& c : cases) {
    PcmFormat pcm;
    MP3SourceFormat mp3;
    BuildMP3Formats(Header(64, c.source, 1), pcm, mp3);
    EXPECT_EQ(pcm.samples_per_sec, c.pcm) << c.source;
    EXPECT_EQ(pcm.avg_bytes_per_sec, c.pcm * 4) << c.source;
    EXPECT_EQ(mp3.wave.samples_per_sec, c.source);
  }
}

TEST(MP3Formats, BlockSizeUsesTheMpeg1FactorForEveryVersion) {
  PcmFormat pcm;
  MP3SourceFormat mp3;
  BuildMP3Formats(Header(64, 22050, 0), pcm, mp3);
  EXPECT_EQ(mp3.block_size, 417);  // 64 * 144000 / 22050 = 417.9, twice an MPEG-2 frame
  BuildMP3Formats(Header(8, 8000, 0), pcm, mp3);
  EXPECT_EQ(mp3.block_size, 144);
}

TEST(MP3Formats, MonoGivesOneChannelOnBothSides) {
  PcmFormat pcm;
  MP3SourceFormat mp3;
  BuildMP3Formats(Header(64, 44100, kMP3SingleChannel), pcm, mp3);
  EXPECT_EQ(mp3.wave.channels, 1);
  EXPECT_EQ(pcm.channels, 1);
  EXPECT_EQ(pcm.block_align, 2);
  EXPECT_EQ(pcm.avg_bytes_per_sec, 44100u);
  EXPECT_EQ(pcm.format_tag, 1);
  EXPECT_EQ(pcm.bits_per_sample, 16);
  EXPECT_EQ(pcm.cb_size, 0);
}

TEST(MP3Formats, StereoAfterMonoGetsTwoChannelsBack) {
  PcmFormat pcm;
  MP3SourceFormat mp3;
  BuildMP3Formats(Header(64, 44100, kMP3SingleChannel), pcm, mp3);
  BuildMP3Formats(Header(128, 44100, 0), pcm, mp3);
  EXPECT_EQ(pcm.channels, 2);
  EXPECT_EQ(pcm.block_align, 4);
  EXPECT_EQ(pcm.avg_bytes_per_sec, 88200u);
}

TEST(MP3Formats, SetPcmRateKeepsTheByteRateInStep) {
  PcmFormat pcm;
  SetPcmRate(pcm, 44100);
  EXPECT_EQ(pcm.avg_bytes_per_sec, 176400u);
  pcm.block_align = 2;
  SetPcmRate(pcm, 11025);
  EXPECT_EQ(pcm.avg_bytes_per_sec, 22050u);
}

TEST(MP3Formats, AHeaderWithoutRateGivesNoBlockSizeInsteadOfDividingByZero) {
  PcmFormat pcm;
  MP3SourceFormat mp3;
  BuildMP3Formats(MP3FrameHeader{}, pcm, mp3);
  EXPECT_EQ(mp3.block_size, 0);
}

}  // namespace
}  // namespace saver
