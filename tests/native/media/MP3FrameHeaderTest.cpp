#include <gtest/gtest.h>

#include "media/MP3FrameHeader.h"

namespace saver {
namespace {

// Builds a header word field by field.
std::uint32_t Word(unsigned version, unsigned layer, unsigned bitrate_index, unsigned rate_index,
                   unsigned channel_mode = 0, unsigned emphasis = 0) {
  return (0x7FFu << 21) | (version << 19) | (layer << 17) | (1u << 16) | (bitrate_index << 12) |
         (rate_index << 10) | (channel_mode << 6) | emphasis;
}

struct Decoded {
  std::uint32_t word;
  float version;
  std::uint16_t layer;
  std::uint16_t bitrate;
  std::uint32_t rate;
};

TEST(MP3FrameHeader, FieldsComeFromTheStandardsTables) {
  const Decoded cases[] = {
      {Word(3, 1, 9, 0), 1.0f, 3, 128, 44100},   // MPEG-1 layer 3, the common case
      {Word(3, 1, 14, 1), 1.0f, 3, 320, 48000},
      {Word(3, 1, 1, 2), 1.0f, 3, 32, 32000},
      {Word(3, 2, 14, 0), 1.0f, 2, 384, 44100},  // layer 2 row
      {Word(3, 3, 14, 0), 1.0f, 1, 448, 44100},  // layer 1 row
      {Word(3, 3, 5, 0), 1.0f, 1, 160, 44100},
      {Word(2, 1, 8, 0), 2.0f, 3, 64, 22050},    // MPEG-2 layer 3
      {Word(2, 1, 14, 1), 2.0f, 3, 160, 24000},
      {Word(2, 2, 1, 2), 2.0f, 2, 8, 16000},     // layers 2 and 3 share a row
      {Word(2, 3, 14, 0), 2.0f, 1, 256, 22050},  // MPEG-2 layer 1 row
      {Word(0, 1, 1, 0), 2.5f, 3, 8, 11025},     // MPEG-2.5 uses the MPEG-2 rows
      {Word(0, 1, 10, 1), 2.5f, 3, 96, 12000},
      {Word(0, 3, 9, 2), 2.5f, 1, 144, 8000},
  };
  for (const Decoded& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.word);
    const auto header = DecodeMP3FrameHeader(c.word);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->version, c.version);
    EXPECT_EQ(header->layer, c.layer);
    EXPECT_EQ(header->bitrate, c.bitrate);
    EXPECT_EQ(header->sample_rate, c.rate);
  }
}

TEST(MP3FrameHeader, ChannelModeIsBitsSevenAndSix) {
  for (unsigned mode = 0; mode < 4; ++mode) {
    const auto header = DecodeMP3FrameHeader(Word(3, 1, 9, 0, mode));
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->channel_mode, mode);
  }
}

TEST(MP3FrameHeader, EachRejectionRuleRefusesTheWord) {
  const std::uint32_t valid = Word(3, 1, 9, 0);
  ASSERT_TRUE(DecodeMP3FrameHeader(valid).has_value());
  const struct {
    const char* rule;
    std::uint32_t word;
  } rejected[] = {
      {"sync bit 31 clear", valid & ~(1u << 31)},
      {"sync bit 21 clear", valid & ~(1u << 21)},
      {"reserved version", Word(1, 1, 9, 0)},
      {"reserved layer", Word(3, 0, 9, 0)},
      {"free-format bitrate", Word(3, 1, 0, 0)},
      {"bitrate index 15", Word(3, 1, 15, 0)},
      {"sample-rate index 3", Word(3, 1, 9, 3)},
      {"emphasis 2", Word(3, 1, 9, 0, 0, 2)},
  };
  for (const auto& c : rejected) {
    EXPECT_FALSE(DecodeMP3FrameHeader(c.word).has_value()) << c.rule;
  }
}

TEST(MP3FrameHeader, UncheckedBitsDoNotChangeTheResult) {
  // Protection (16), padding (9), private (8), mode extension (5, 4), copyright (3), original (2).
  const std::uint32_t valid = Word(3, 1, 9, 0, 1);
  const auto expected = DecodeMP3FrameHeader(valid);
  ASSERT_TRUE(expected.has_value());
  for (int bit : {16, 9, 8, 5, 4, 3, 2}) {
    EXPECT_EQ(DecodeMP3FrameHeader(valid ^ (1u << bit)), expected) << "bit " << bit;
  }
}

}  // namespace
}  // namespace saver
