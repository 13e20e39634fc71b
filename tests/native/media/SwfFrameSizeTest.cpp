#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <vector>

#include "media/SwfFrameSize.h"

namespace saver {
namespace {

// Writes big-endian bit fields, as the SWF RECT stores them.
class BitWriter {
 public:
  void Write(std::uint32_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
      if (bit_ % 8 == 0) bytes_.push_back(0);
      if ((value >> i) & 1) bytes_.back() |= static_cast<std::uint8_t>(0x80 >> (bit_ % 8));
      ++bit_;
    }
  }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
  int bit_ = 0;
};

std::vector<std::uint8_t> Rect(int n, std::uint32_t x_min, std::uint32_t x_max, std::uint32_t y_min, std::uint32_t y_max) {
  BitWriter w;
  w.Write(static_cast<std::uint32_t>(n), 5);
  for (std::uint32_t v : {x_min, x_max, y_min, y_max}) w.Write(v, n);
  std::vector<std::uint8_t> rect = w.Bytes();
  rect.insert(rect.end(), {0x00, 0x18, 0x01, 0x00});  // frame rate and count follow the RECT
  return rect;
}

std::vector<std::uint8_t> Movie(const char* signature, const std::vector<std::uint8_t>& body) {
  std::vector<std::uint8_t> file(8 + body.size(), 0);
  std::copy(signature, signature + 3, file.begin());
  file[3] = 8;  // version
  std::copy(body.begin(), body.end(), file.begin() + 8);
  return file;
}

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
    const auto body = Rect(c.n, c.x_min, c.x_max, c.y_min, c.y_max);
    for (const auto& file : {Movie("FWS", body), Movie("CWS", Deflate(body))}) {
      const auto size = ReadSwfFrameSize(file.data(), file.size());
      ASSERT_TRUE(size.has_value()) << c.n << " " << char(file[0]);
      EXPECT_EQ(*size, c.expected) << c.n << " " << char(file[0]);
    }
  }
}

TEST(SwfFrameSize, DamagedOrUnreadableHeadersGiveNoSize) {
  const auto body = Rect(15, 0, 11000, 0, 8000);
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
      {"min above max", Movie("FWS", Rect(15, 11000, 0, 0, 8000))},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(ReadSwfFrameSize(c.file.data(), c.file.size()).has_value()) << c.what;
  }
  EXPECT_FALSE(ReadSwfFrameSize(nullptr, 100).has_value());
}

}  // namespace
}  // namespace saver
