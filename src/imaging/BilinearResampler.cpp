#include "imaging/BilinearResampler.h"

#include <algorithm>
#include <utility>

namespace saver {

CBilinearResampler::CBilinearResampler(Size src, Size dst, int channels, std::uint8_t* out, std::size_t out_stride)
    : src_(src),
      dst_(dst),
      channels_(channels),
      out_(out),
      out_stride_(out_stride),
      columns_(Taps(src.width, dst.width)),
      rows_(Taps(src.height, dst.height)),
      rows_first_(src.height >= dst.height) {
  if (rows_first_) {
    row_sum_.resize(static_cast<std::size_t>(src.width) * channels);
  } else {
    older_.resize(static_cast<std::size_t>(dst.width) * channels);
    newer_.resize(older_.size());
  }
}

std::vector<CBilinearResampler::Tap> CBilinearResampler::Taps(int src, int dst) {
  std::vector<Tap> taps(dst);
  for (int d = 0; d < dst; ++d) {
    // Source position times 2 * dst: (2d + 1) * src - dst, kept in integers.
    std::int64_t scaled = (2 * std::int64_t{d} + 1) * src - dst;
    std::int64_t denominator = 2 * std::int64_t{dst};
    Tap& t = taps[d];
    if (scaled <= 0) {
      t = {0, 0, 0};
      continue;
    }
    t.first = static_cast<int>(scaled / denominator);
    std::int64_t remainder = scaled % denominator;
    t.weight = static_cast<unsigned>((remainder * 256 + denominator / 2) / denominator);
    if (t.first >= src - 1) t = {src - 1, src - 1, 0};
    else t.second = t.first + 1;
    if (t.weight == 256) t = {t.second, t.second, 0};
  }
  return taps;
}

// Mixes each pixel's two neighbours along a row: exact sums when widening to 16 bits
// (kShift 0), rounded when narrowing the sums of two mixes back to 8 bits (kShift 16). The pixel
// size is a template argument so that the channel loop unrolls.
template <typename In, typename Out, int kShift, int kChannels>
void CBilinearResampler::MixAlongRow(const In* row, const Tap* taps, std::size_t count, Out* out) {
  constexpr std::uint32_t kHalf = kShift > 0 ? 1u << (kShift - 1) : 0;
  for (std::size_t i = 0; i < count; ++i) {
    const Tap& t = taps[i];
    const In* a = row + static_cast<std::size_t>(t.first) * kChannels;
    const In* b = row + static_cast<std::size_t>(t.second) * kChannels;
    const std::uint32_t wa = 256 - t.weight, wb = t.weight;
    for (int c = 0; c < kChannels; ++c) out[c] = static_cast<Out>((a[c] * wa + b[c] * wb + kHalf) >> kShift);
    out += kChannels;
  }
}

template <typename In, typename Out, int kShift>
void CBilinearResampler::MixAlongRow(const In* row, Out* out) const {
  using Pass = void (*)(const In*, const Tap*, std::size_t, Out*);
  static constexpr Pass kPasses[] = {MixAlongRow<In, Out, kShift, 1>, MixAlongRow<In, Out, kShift, 2>,
                                     MixAlongRow<In, Out, kShift, 3>, MixAlongRow<In, Out, kShift, 4>};
  kPasses[channels_ - 1](row, columns_.data(), columns_.size(), out);
}

// Source rows arrive in order and, when the picture does not grow taller, each destination row
// starts at or after the row where the one before it ends.
void CBilinearResampler::PushRowRowsFirst(int index, const std::uint8_t* row) {
  const std::size_t n = row_sum_.size();
  std::uint16_t* sum = row_sum_.data();
  while (next_dst_row_ < dst_.height) {
    const Tap& t = rows_[next_dst_row_];
    if (index == t.first) {
      const std::uint32_t wa = 256 - t.weight;
      for (std::size_t i = 0; i < n; ++i) sum[i] = static_cast<std::uint16_t>(row[i] * wa);
    }
    if (index != t.second) return;
    const std::uint32_t wb = t.weight;
    for (std::size_t i = 0; i < n; ++i) sum[i] = static_cast<std::uint16_t>(sum[i] + row[i] * wb);
    MixAlongRow<std::uint16_t, std::uint8_t, 16>(sum, out_ + out_stride_ * next_dst_row_);
    ++next_dst_row_;
  }
}

void CBilinearResampler::PushRow(const std::uint8_t* row) {
  const int index = next_src_row_++;
  if (rows_first_) {
    PushRowRowsFirst(index, row);
    return;
  }
  // Rows that no remaining destination row samples are skipped, which makes a large
  // vertical reduction cheap.
  if (next_dst_row_ >= dst_.height || index < rows_[next_dst_row_].first) return;
  std::swap(older_, newer_);
  older_index_ = newer_index_;
  MixAlongRow<std::uint8_t, std::uint16_t, 0>(row, newer_.data());
  newer_index_ = index;
  EmitReadyRows();
}

void CBilinearResampler::EmitReadyRows() {
  while (next_dst_row_ < dst_.height && rows_[next_dst_row_].second <= newer_index_) {
    const Tap& t = rows_[next_dst_row_];
    const std::vector<std::uint16_t>& a = t.first == newer_index_ ? newer_ : older_;
    const std::uint16_t* pa = a.data();
    const std::uint16_t* pb = newer_.data();
    const std::uint32_t wa = 256 - t.weight, wb = t.weight;
    std::uint8_t* o = out_ + out_stride_ * next_dst_row_;
    const std::size_t n = newer_.size();
    for (std::size_t i = 0; i < n; ++i) o[i] = static_cast<std::uint8_t>((pa[i] * wa + pb[i] * wb + 32768) >> 16);
    ++next_dst_row_;
  }
}

bool ResizeBilinear(const std::uint8_t* src, int src_width, int src_height, std::size_t src_stride,
                    std::uint8_t* dst, int dst_width, int dst_height, std::size_t dst_stride,
                    int bytes_per_pixel) {
  if (!src || !dst || src_width <= 0 || src_height <= 0 || dst_width <= 0 || dst_height <= 0 ||
      bytes_per_pixel < 1 || bytes_per_pixel > 4)
    return false;
  const std::size_t bpp = static_cast<std::size_t>(bytes_per_pixel);
  if (src_stride < bpp * src_width || dst_stride < bpp * dst_width) return false;
  CBilinearResampler resampler({src_width, src_height}, {dst_width, dst_height}, bytes_per_pixel, dst, dst_stride);
  for (int y = 0; y < src_height; ++y) resampler.PushRow(src + src_stride * y);
  return true;
}

}  // namespace saver
