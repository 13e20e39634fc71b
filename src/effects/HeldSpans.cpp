#include "effects/HeldSpans.h"

#include <algorithm>
#include <cstring>

namespace saver {

void CHeldSpans::Merge(std::vector<Span>& spans, int left, int right) {
  // The usual case: the block continues or regrows the last span of the row.
  if (!spans.empty() && left >= spans.back().left && left <= spans.back().right) {
    spans.back().right = std::max(spans.back().right, right);
    return;
  }
  // The first span that reaches the new one (touching counts), then every span it reaches.
  auto first = std::lower_bound(spans.begin(), spans.end(), left,
                                [](const Span& span, int x) { return span.right < x; });
  if (first == spans.end() || first->left > right) {
    spans.insert(first, Span{left, right});
    return;
  }
  auto last = first;
  int merged_right = right;
  while (last != spans.end() && last->left <= right) {
    merged_right = std::max(merged_right, last->right);
    ++last;
  }
  *first = {std::min(left, first->left), merged_right};
  spans.erase(first + 1, last);
}

void CHeldSpans::Add(Layer target, Layer source, Point shift, const Rect& destination, CPixelBuffer& to,
                     const CPixelBuffer& from) {
  target_ = target;
  source_ = source;
  shift_ = shift;
  if (destination.bottom > static_cast<int>(rows_.size())) rows_.resize(static_cast<std::size_t>(destination.bottom));
  for (int y = destination.top; y < destination.bottom; ++y) {
    Row& row = rows_[static_cast<std::size_t>(y)];
    if (!row.listed) {
      row.listed = true;
      used_rows_.push_back(y);
    }
    Merge(row.spans, destination.left, destination.right);
    if (row.spans.size() > kMostSpansPerRow) DrawRow(y, to, from);
  }
}

void CHeldSpans::DrawRow(int y, CPixelBuffer& to, const CPixelBuffer& from) {
  std::vector<Span>& spans = rows_[static_cast<std::size_t>(y)].spans;
  std::uint8_t* out = to.Row(y);
  const std::uint8_t* in = from.Row(y + shift_.y) + shift_.x * 3;
  for (const Span& span : spans) {
    std::memcpy(out + span.left * 3, in + span.left * 3, static_cast<std::size_t>(span.right - span.left) * 3);
  }
  spans.clear();
}

void CHeldSpans::DrawAll(CPixelBuffer& to, const CPixelBuffer& from) {
  for (const int y : used_rows_) {
    DrawRow(y, to, from);
    rows_[static_cast<std::size_t>(y)].listed = false;
  }
  used_rows_.clear();
}

}  // namespace saver
