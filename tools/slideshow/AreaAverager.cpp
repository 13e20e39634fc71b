#include "slideshow/AreaAverager.h"

#include <algorithm>
#include <cmath>

namespace saver::tool {

// Along one axis, source length S and target length T (T <= S) are measured in units of 1/T of
// a source pixel and 1/S of a target pixel at once: source pixel i spans [i*T, (i+1)*T), target
// pixel j spans [j*S, (j+1)*S). Shares are then whole numbers, each target pixel gathers S of
// them along the axis, and a source pixel (T wide, at most S) touches at most two target pixels.
std::vector<CAreaAverager::Split> CAreaAverager::Splits(int source_length, int target_length) {
  std::vector<Split> splits(static_cast<std::size_t>(source_length));
  for (int i = 0; i < source_length; ++i) {
    const std::int64_t start = std::int64_t{i} * target_length;
    const auto first = static_cast<int>(start / source_length);
    const std::int64_t first_end = std::int64_t{first + 1} * source_length;
    splits[i] = {first, static_cast<std::uint32_t>(std::min<std::int64_t>(first_end - start, target_length))};
  }
  return splits;
}

CAreaAverager::CAreaAverager(Size source, Size target)
    : source_(source),
      target_(target.width, target.height),
      columns_(Splits(source.width, target.width)),
      rows_(Splits(source.height, target.height)),
      row_sums_(static_cast<std::size_t>(target.width) * 3),
      open_sums_(row_sums_.size()),
      next_sums_(row_sums_.size()) {}

void CAreaAverager::AddRow(const std::uint8_t* rgb) {
  const auto target_width = static_cast<std::uint32_t>(target_.Width());
  std::fill(row_sums_.begin(), row_sums_.end(), 0);
  for (int x = 0; x < source_.width; ++x, rgb += 3) {
    const Split& split = columns_[x];
    std::uint32_t* first = &row_sums_[static_cast<std::size_t>(split.first) * 3];
    const std::uint32_t rest = target_width - split.first_share;
    for (int channel = 0; channel < 3; ++channel) {
      first[channel] += rgb[channel] * split.first_share;
      if (rest != 0) first[channel + 3] += rgb[channel] * rest;
    }
  }
  const Split& split = rows_[next_source_row_];
  const std::uint64_t rest = static_cast<std::uint64_t>(target_.Height()) - split.first_share;
  for (std::size_t i = 0; i < row_sums_.size(); ++i) {
    open_sums_[i] += std::uint64_t{row_sums_[i]} * split.first_share;
    next_sums_[i] += row_sums_[i] * rest;
  }
  ++next_source_row_;
  // The open target row is complete when this source row reached its end.
  const bool last_row = next_source_row_ == source_.height;
  if (last_row || rows_[next_source_row_].first != split.first) {
    EmitRow(split.first);
    open_sums_.swap(next_sums_);
    std::fill(next_sums_.begin(), next_sums_.end(), 0);
  }
}

void CAreaAverager::EmitRow(int y) {
  // Every target pixel gathered source.width * source.height share units.
  const std::uint64_t whole = std::uint64_t{static_cast<std::uint32_t>(source_.width)} *
                              static_cast<std::uint32_t>(source_.height);
  std::uint8_t* out = target_.Row(y);
  for (std::size_t i = 0; i < open_sums_.size(); ++i) {
    out[i] = static_cast<std::uint8_t>((open_sums_[i] + whole / 2) / whole);
  }
}

Size FitWithin(Size picture, Size box) {
  if (picture.width <= box.width && picture.height <= box.height) return picture;
  const double ratio = std::max(static_cast<double>(picture.width) / box.width,
                                static_cast<double>(picture.height) / box.height);
  return {std::clamp(static_cast<int>(std::lround(picture.width / ratio)), 1, box.width),
          std::clamp(static_cast<int>(std::lround(picture.height / ratio)), 1, box.height)};
}

CPixelBuffer AverageDown(const CPixelBuffer& source, Size target) {
  CAreaAverager averager({source.Width(), source.Height()}, target);
  for (int y = 0; y < source.Height(); ++y) averager.AddRow(source.Row(y));
  return averager.Take();
}

}  // namespace saver::tool
