#include "media/SwfFrameSize.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace saver {
namespace {

constexpr std::size_t kFileHeadBytes = 8;  // signature, version, file length
// The widest RECT: 5 bits of field width, then four fields of up to 31 bits.
constexpr std::size_t kMaxRectBytes = (5 + 4 * 31 + 7) / 8;
constexpr int kTwipsPerPixel = 20;

// Reads big-endian bit fields from a byte range; refuses to read past its end.
class CBitReader {
 public:
  CBitReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::optional<std::uint32_t> Read(int bits) {
    if (bit_ + static_cast<std::size_t>(bits) > size_ * 8) return std::nullopt;
    std::uint32_t value = 0;
    for (int i = 0; i < bits; ++i, ++bit_) {
      const int bit = (data_[bit_ / 8] >> (7 - bit_ % 8)) & 1;
      value = (value << 1) | static_cast<std::uint32_t>(bit);
    }
    return value;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t bit_ = 0;
};

// Inflates the start of a zlib stream into `out`; returns the bytes produced.
std::size_t InflatePrefix(const std::uint8_t* data, std::size_t size, std::uint8_t* out, std::size_t capacity) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return 0;
  stream.next_in = const_cast<Bytef*>(data);
  stream.avail_in = static_cast<uInt>(std::min<std::size_t>(size, 0x7FFFFFFF));
  stream.next_out = out;
  stream.avail_out = static_cast<uInt>(capacity);
  inflate(&stream, Z_SYNC_FLUSH);
  const std::size_t produced = capacity - stream.avail_out;
  inflateEnd(&stream);
  return produced;
}

std::optional<Size> SizeFromRect(const std::uint8_t* rect, std::size_t size) {
  CBitReader bits(rect, size);
  const auto width_bits = bits.Read(5);
  if (!width_bits) return std::nullopt;
  const int n = static_cast<int>(*width_bits);
  const auto x_min = bits.Read(n), x_max = bits.Read(n), y_min = bits.Read(n), y_max = bits.Read(n);
  if (!x_min || !x_max || !y_min || !y_max || *x_max < *x_min || *y_max < *y_min) return std::nullopt;
  return Size{static_cast<int>((*x_max - *x_min) / kTwipsPerPixel),
              static_cast<int>((*y_max - *y_min) / kTwipsPerPixel)};
}

}  // namespace

std::optional<Size> ReadSwfFrameSize(const std::uint8_t* data, std::size_t size) {
  if (!data || size < kFileHeadBytes) return std::nullopt;
  const std::uint8_t* body = data + kFileHeadBytes;
  const std::size_t body_size = size - kFileHeadBytes;
  if (std::memcmp(data, "ZWS", 3) == 0) return std::nullopt;
  if (std::memcmp(data, "CWS", 3) == 0) {
    std::uint8_t rect[kMaxRectBytes];
    return SizeFromRect(rect, InflatePrefix(body, body_size, rect, sizeof rect));
  }
  return SizeFromRect(body, body_size);
}

}  // namespace saver
