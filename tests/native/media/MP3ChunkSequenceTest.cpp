#include <gtest/gtest.h>

#include <vector>

#include "media/MP3ChunkSequence.h"

namespace saver {
namespace {

struct Step {
  std::size_t offset;
  std::uint32_t length;
  ChunkKind kind;
};

// Runs a whole pass with a codec that consumes `used(length)` of each chunk.
template <typename Codec>
std::vector<Step> RunPass(std::size_t total, Codec used) {
  CMP3ChunkSequence sequence(total);
  std::uint32_t offered = kMP3ChunkBytes;
  std::vector<Step> steps;
  while (!sequence.AtEnd() && steps.size() < 100) {
    const auto chunk = sequence.Next(offered);
    steps.push_back({chunk.offset, chunk.length, chunk.kind});
    sequence.Consumed(used(chunk.length));
  }
  return steps;
}

TEST(MP3ChunkSequence, BlocksUpTo131072BytesGoInOneLastChunk) {
  for (std::size_t total : {std::size_t{1}, std::size_t{48945}, std::size_t{kMP3ChunkBytes}}) {
    const auto steps = RunPass(total, [](std::uint32_t n) { return n; });
    ASSERT_EQ(steps.size(), 1u) << total;
    EXPECT_EQ(steps[0].kind, ChunkKind::kLast);
    EXPECT_EQ(steps[0].offset, 0u);
    EXPECT_EQ(steps[0].length, total);
  }
}

TEST(MP3ChunkSequence, LongerBlocksGoFirstMiddleLastAndResumeWhereTheCodecStopped) {
  // The codec leaves the last 100 bytes of every full chunk (an incomplete block).
  const std::size_t total = 300000;
  const auto steps = RunPass(total, [](std::uint32_t n) { return n == kMP3ChunkBytes ? n - 100 : n; });
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0].kind, ChunkKind::kFirst);
  EXPECT_EQ(steps[0].length, kMP3ChunkBytes);
  EXPECT_EQ(steps[1].kind, ChunkKind::kMiddle);
  EXPECT_EQ(steps[1].offset, kMP3ChunkBytes - 100);
  EXPECT_EQ(steps[1].length, kMP3ChunkBytes);
  EXPECT_EQ(steps[2].kind, ChunkKind::kLast);
  EXPECT_EQ(steps[2].offset, 2 * (kMP3ChunkBytes - 100));
  EXPECT_EQ(steps[2].offset + steps[2].length, total);
}

TEST(MP3ChunkSequence, OfferedLengthOnlyShrinksWithinAPass) {
  CMP3ChunkSequence sequence(kMP3ChunkBytes + 1000);
  std::uint32_t offered = kMP3ChunkBytes;
  sequence.Next(offered);
  sequence.Consumed(kMP3ChunkBytes - 5000);  // 6000 bytes remain
  const auto last = sequence.Next(offered);
  EXPECT_EQ(offered, 6000u);
  EXPECT_EQ(last.kind, ChunkKind::kLast);
  sequence.Consumed(2000);  // 4000 remain, offered stays at 6000 and still covers them
  const auto again = sequence.Next(offered);
  EXPECT_EQ(offered, 4000u);
  EXPECT_EQ(again.offset, kMP3ChunkBytes - 3000);
}

TEST(MP3ChunkSequence, AConversionThatConsumesNothingEndsThePass) {
  for (std::size_t total : {std::size_t{5000}, std::size_t{400000}}) {
    const auto steps = RunPass(total, [](std::uint32_t) { return 0u; });
    EXPECT_EQ(steps.size(), 1u) << total;
  }
}

TEST(MP3ChunkSequence, EmptyDataIsAtEndAtOnce) {
  CMP3ChunkSequence sequence(0);
  EXPECT_TRUE(sequence.AtEnd());
}

}  // namespace
}  // namespace saver
