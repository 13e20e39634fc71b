#include <gtest/gtest.h>

#include <vector>

#include "MP3Fixture.h"
#include "media/MP3Stream.h"

namespace saver {
namespace {

using test::ReadMP3Fixture;

std::vector<std::uint8_t> Prepend(std::vector<std::uint8_t> head, const std::vector<std::uint8_t>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

TEST(MP3Stream, HeadersAndFormatsOfEncodedTracks) {
  const struct {
    const char* name;
    float version;
    std::uint16_t bitrate;
    std::uint32_t rate;
    bool mono;
    std::uint32_t pcm_rate;
  } cases[] = {
      {"mpeg1_stereo_128k", 1.0f, 128, 44100, false, 22050},
      {"mpeg2_stereo_64k", 2.0f, 64, 22050, false, 22050},
      {"mpeg1_mono_64k", 1.0f, 64, 44100, true, 22050},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto data = ReadMP3Fixture(c.name);
    ASSERT_GT(data.size(), 1000u);
    CMP3Stream stream;
    stream.Attach(data.data(), data.size());
    ASSERT_TRUE(stream.FindHeader());
    EXPECT_TRUE(stream.HeaderFound());
    // ffmpeg writes an ID3v2 tag first, so the header is found behind it.
    EXPECT_EQ(std::string(data.begin(), data.begin() + 3), "ID3");
    EXPECT_GT(stream.HeaderOffset(), 10u);
    EXPECT_EQ(data[stream.HeaderOffset()], 0xFF);
    EXPECT_EQ(stream.Header().version, c.version);
    EXPECT_EQ(stream.Header().layer, 3);
    EXPECT_EQ(stream.Header().bitrate, c.bitrate);
    EXPECT_EQ(stream.Header().sample_rate, c.rate);
    EXPECT_EQ(stream.Header().channel_mode == kMP3SingleChannel, c.mono);

    PcmFormat pcm;
    MP3SourceFormat mp3;
    stream.BuildFormats(pcm, mp3);
    const std::uint16_t channels = c.mono ? 1 : 2;
    EXPECT_EQ(mp3.wave.channels, channels);
    EXPECT_EQ(mp3.wave.avg_bytes_per_sec, c.bitrate * 125u);
    EXPECT_EQ(pcm.channels, channels);
    EXPECT_EQ(pcm.samples_per_sec, c.pcm_rate);
    EXPECT_EQ(pcm.block_align, channels * 2);
    EXPECT_EQ(pcm.avg_bytes_per_sec, c.pcm_rate * channels * 2);
  }
}

TEST(MP3Stream, SearchReachesPositionsBelow10240Only) {
  const auto track = ReadMP3Fixture("mpeg1_stereo_128k");
  CMP3Stream probe;
  probe.Attach(track.data(), track.size());
  ASSERT_TRUE(probe.FindHeader());
  const std::vector<std::uint8_t> header(track.begin() + probe.HeaderOffset(), track.end());

  const struct {
    std::size_t lead;
    bool found;
  } cases[] = {{0, true}, {5000, true}, {10239, true}, {10240, false}, {20000, false}};
  for (const auto& c : cases) {
    const auto data = Prepend(std::vector<std::uint8_t>(c.lead, 0), header);
    CMP3Stream stream;
    stream.Attach(data.data(), data.size());
    EXPECT_EQ(stream.FindHeader(), c.found) << c.lead;
    if (c.found) {
      EXPECT_EQ(stream.HeaderOffset(), c.lead);
    }
  }
}

TEST(MP3Stream, NearMissesInATagAreSkipped) {
  const auto track = ReadMP3Fixture("mpeg1_stereo_128k");
  // A tag full of sync-like bytes that break one rule each: bitrate 15, free format, emphasis 2.
  std::vector<std::uint8_t> tag = {'I', 'D', '3', 4, 0, 0, 0, 0, 0, 0};
  for (int i = 0; i < 300; ++i) {
    const std::uint8_t near_misses[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFB, 0x00, 0x00, 0xFF, 0xFB, 0x90, 0x02};
    tag.insert(tag.end(), std::begin(near_misses), std::end(near_misses));
  }
  const auto data = Prepend(tag, track);
  CMP3Stream plain, tagged;
  plain.Attach(track.data(), track.size());
  tagged.Attach(data.data(), data.size());
  ASSERT_TRUE(plain.FindHeader());
  ASSERT_TRUE(tagged.FindHeader());
  EXPECT_EQ(tagged.HeaderOffset(), tag.size() + plain.HeaderOffset());
  EXPECT_EQ(tagged.Header(), plain.Header());
}

TEST(MP3Stream, FailedSearchKeepsTheEarlierValues) {
  const auto track = ReadMP3Fixture("mpeg2_stereo_64k");
  const std::vector<std::uint8_t> noise(3000, 0x55);
  CMP3Stream stream;
  stream.Attach(track.data(), track.size());
  ASSERT_TRUE(stream.FindHeader());
  const MP3FrameHeader before = stream.Header();
  stream.Attach(noise.data(), noise.size());
  EXPECT_FALSE(stream.HeaderFound());
  EXPECT_FALSE(stream.FindHeader());
  EXPECT_EQ(stream.Header(), before);
}

TEST(MP3Stream, EmptyAndTinyBlocksHaveNoHeader) {
  const std::uint8_t three[] = {0xFF, 0xFB, 0x90};
  CMP3Stream stream;
  stream.Attach(nullptr, 100);
  EXPECT_FALSE(stream.FindHeader());
  EXPECT_EQ(stream.Length(), 0u);
  stream.Attach(three, sizeof three);
  EXPECT_FALSE(stream.FindHeader());
}

TEST(MP3Stream, ReadsStopAtTheEnd) {
  const std::uint8_t bytes[] = {1, 2, 3, 4, 5};
  CMP3Stream stream;
  stream.Attach(bytes, sizeof bytes);
  std::uint8_t out[8] = {};
  stream.Seek(3);
  EXPECT_EQ(stream.Read(out, sizeof out), 2u);
  EXPECT_EQ(out[0], 4);
  EXPECT_EQ(out[1], 5);
  stream.Seek(99);
  EXPECT_EQ(stream.Read(out, sizeof out), 0u);
}

}  // namespace
}  // namespace saver
