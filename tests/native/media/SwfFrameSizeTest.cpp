#include <gtest/gtest.h>
#include <zlib.h>

#include <vector>

#include "SwfFixture.h"
#include "media/SwfFrameSize.h"

namespace saver {
namespace {
using namespace testing_support;

std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& body) {
  std::vector<std::uint8_t> out(compressBound(body.size()));
  uLongf size = out.size();
  EXPECT_EQ(compress(out.data(), &size, body.data(), body.size()), Z_OK);
  out.resize(size);
  return out;
}

TEST(SwfFrameSize, SizeInPixelsFromTheTwipsRect) {
  const struct {
    int n;
    std::uint32_t x_min, x_max, y_min, y_max;
    Size expected;
  } cases[] = {
      {15, 0, 11000, 0, 8000, {550, 400}},
      {16, 200, 16200, 40, 12039, {800, 599}},  // min corner not at zero; 11999 twips truncate
      {31, 0, 0x7FFFFFFF, 0, 20, {107374182, 1}},
      {0, 0, 0, 0, 0, {0, 0}},
  };
  for (const auto& c : cases) {
    const auto body = SwfRect(c.n, c.x_min, c.x_max, c.y_min, c.y_max);
    for (const auto& file : {Movie("FWS", body), Movie("CWS", Deflate(body))}) {
      const auto size = ReadSwfFrameSize(file.data(), file.size());
      ASSERT_TRUE(size.has_value()) << c.n << " " << char(file[0]);
      EXPECT_EQ(*size, c.expected) << c.n << " " << char(file[0]);
    }
  }
}

TEST(SwfFrameSize, DamagedOrUnreadableHeadersGiveNoSize) {
  const auto body = SwfRect(15, 0, 11000, 0, 8000);
  auto truncated = Movie("FWS", body);
  truncated.resize(8 + 4);  // the RECT needs 9 bytes
  auto cut_zlib = Movie("CWS", Deflate(body));
  cut_zlib.resize(8 + 2);  // the zlib stream head only
  const struct {
    const char* what;
    std::vector<std::uint8_t> file;
  } cases[] = {
      {"truncated RECT", truncated},
      {"only the file head", Movie("FWS", {})},
      {"shorter than the file head", {'F', 'W', 'S'}},
      {"LZMA compression", Movie("ZWS", body)},
      {"zlib stream cut before the RECT", cut_zlib},
      {"min above max", Movie("FWS", SwfRect(15, 11000, 0, 0, 8000))},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(ReadSwfFrameSize(c.file.data(), c.file.size()).has_value()) << c.what;
  }
  EXPECT_FALSE(ReadSwfFrameSize(nullptr, 100).has_value());
}

}  // namespace
}  // namespace saver
