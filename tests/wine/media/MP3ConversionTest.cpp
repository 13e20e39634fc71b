#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "MP3Fixture.h"
#include "media/win/AcmStream.h"
#include "media/win/MP3Conversion.h"
#include "media/win/WaveFormats.h"

namespace saver::win {
namespace {

using test::ReadMP3Fixture;

struct Converted {
  PcmFormat pcm;
  std::vector<ChunkKind> kinds;
  std::size_t pcm_bytes = 0;
  int peak = 0;  // largest sample magnitude
  bool failed = false;
};

Converted ConvertAll(const std::vector<std::uint8_t>& data) {
  Converted out;
  MP3SourceFormat mp3;
  CMP3Conversion conversion;
  if (!conversion.Prepare(data.data(), data.size(), out.pcm, mp3)) {
    out.failed = true;
    return out;
  }
  while (!conversion.AtEnd() && out.kinds.size() < 1000) {
    const auto pcm = conversion.ConvertNext();
    out.kinds.push_back(conversion.LastKind());
    if (!pcm) {
      out.failed = true;
      break;
    }
    out.pcm_bytes += pcm->size();
    for (std::size_t i = 0; i + 1 < pcm->size(); i += 2) {
      const int sample = static_cast<std::int16_t>((*pcm)[i] | ((*pcm)[i + 1] << 8));
      out.peak = std::max(out.peak, std::abs(sample));
    }
  }
  conversion.Close();
  return out;
}

TEST(MP3Codec, IsPresent) { EXPECT_TRUE(MP3CodecPresent()); }

TEST(MP3Conversion, HalfRateRefusalFallsBackToTheSourceRate) {
  const auto data = ReadMP3Fixture("mpeg1_stereo_128k");
  CMP3Stream stream;
  stream.Attach(data.data(), data.size());
  ASSERT_TRUE(stream.FindHeader());
  PcmFormat pcm;
  MP3SourceFormat mp3;
  stream.BuildFormats(pcm, mp3);
  ASSERT_EQ(pcm.samples_per_sec, 22050u);
  CAcmStream direct;
  const bool half_rate_opens = direct.Open(ToMpegLayer3(mp3), ToWaveFormatEx(pcm));
  const MMRESULT direct_result = direct.LastResult();
  direct.Close();

  PcmFormat chosen;
  CMP3Conversion conversion;
  ASSERT_TRUE(conversion.Prepare(data.data(), data.size(), chosen, mp3));
  if (half_rate_opens) {
    EXPECT_EQ(chosen.samples_per_sec, 22050u);
    EXPECT_EQ(conversion.HalfRateRefusal(), 0u);
  } else {
    std::printf("half-rate open refused with %u; converting at the source rate\n", direct_result);
    EXPECT_EQ(conversion.HalfRateRefusal(), direct_result);
    EXPECT_EQ(chosen.samples_per_sec, 44100u);
    EXPECT_EQ(chosen.avg_bytes_per_sec, 176400u);
  }
  EXPECT_GT(conversion.DestinationSize(), 0u);
  conversion.Close();
}

TEST(MP3Conversion, TracksBecomeAudiblePcmOfTheirLength) {
  const struct {
    const char* name;
    double seconds;
    std::uint16_t channels;
    std::size_t min_chunks;
  } cases[] = {
      {"mpeg1_stereo_128k", 3, 2, 1},
      {"mpeg2_stereo_64k", 3, 2, 1},
      {"mpeg1_mono_64k", 3, 1, 1},
      {"mpeg1_stereo_long", 20, 2, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto data = ReadMP3Fixture(c.name);
    const Converted out = ConvertAll(data);
    ASSERT_FALSE(out.failed);
    EXPECT_EQ(out.pcm.channels, c.channels);
    EXPECT_EQ(out.pcm.block_align, c.channels * 2);
    const double seconds = static_cast<double>(out.pcm_bytes) / out.pcm.avg_bytes_per_sec;
    std::printf("%s: %zu chunks, %u Hz, %.3f s of PCM\n", c.name, out.kinds.size(), out.pcm.samples_per_sec, seconds);
    // The codec adds or drops at most a few frames at either end.
    EXPECT_GT(seconds, c.seconds - 0.2);
    EXPECT_LT(seconds, c.seconds + 0.2);
    // ffmpeg's tone peaks at an eighth of full scale (4096).
    EXPECT_GT(out.peak, 1500) << "the 440 Hz tone is missing";
    ASSERT_GE(out.kinds.size(), c.min_chunks);
    EXPECT_EQ(out.kinds.back(), ChunkKind::kLast);
    if (out.kinds.size() > 1) {
      EXPECT_EQ(out.kinds.front(), ChunkKind::kFirst);
    }
  }
}

TEST(MP3Conversion, BlockUnder131072BytesIsOneLastChunk) {
  const auto data = ReadMP3Fixture("mpeg1_stereo_128k");
  ASSERT_LT(data.size(), 131072u);
  const Converted out = ConvertAll(data);
  ASSERT_FALSE(out.failed);
  ASSERT_EQ(out.kinds.size(), 1u);
  EXPECT_EQ(out.kinds[0], ChunkKind::kLast);
}

TEST(MP3Conversion, DamagedDataFailsOrEndsWithoutHanging) {
  const auto track = ReadMP3Fixture("mpeg1_stereo_long");
  std::vector<std::uint8_t> noise(50000);
  std::uint32_t state = 12345;
  for (auto& b : noise) b = static_cast<std::uint8_t>((state = state * 1103515245u + 12345u) >> 24);
  std::vector<std::uint8_t> cut(track.begin(), track.begin() + 150000);
  std::vector<std::uint8_t> header_then_noise(track.begin(), track.begin() + 2000);
  header_then_noise.insert(header_then_noise.end(), noise.begin(), noise.end());

  EXPECT_TRUE(ConvertAll(std::vector<std::uint8_t>(20000, 0)).failed) << "no header at all";
  const Converted cut_out = ConvertAll(cut);
  EXPECT_FALSE(cut_out.failed);
  EXPECT_EQ(cut_out.kinds.back(), ChunkKind::kLast);
  const Converted noisy = ConvertAll(header_then_noise);
  EXPECT_LT(noisy.kinds.size(), 1000u) << "the conversion never ended";
}

}  // namespace
}  // namespace saver::win
