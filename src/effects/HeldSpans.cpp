#include "effects/HeldSpans.h"

#include <algorithm>
#include <cstring>

namespace saver {

namespace {

// Whether [left, right) overlaps or touches the span.
template <typename Span>
bool Reaches(const Span& span, int left, int right) {
  return left <= span.right && right >= span.left;
}

// Grows span i of the row by [left, right) when that reaches span i and no other one.
template <typename Span>
bool GrowSpan(std::vector<Span>& spans, std::size_t i, int left, int right) {
  if (i >= spans.size() || !Reaches(spans[i], left, right)) return false;
  if ((i > 0 && left <= spans[i - 1].right) || (i + 1 < spans.size() && right >= spans[i + 1].left)) return false;
  spans[i] = {std::min(left, spans[i].left), std::max(right, spans[i].right)};
  return true;
}

}  // namespace

void CHeldSpans::Place(Row& row, int left, int right) {
  // The usual cases: the span grown last, the one after it (the next cell along the row), or a
  // row grown at its first or last span (a wedge from each side, a band widening both ways).
  const std::size_t last = row.spans.empty() ? 0 : row.spans.size() - 1;
  for (const std::size_t i : {row.hint, row.hint + 1, last, std::size_t{0}}) {
    if (GrowSpan(row.spans, i, left, right)) {
      row.hint = i;
      return;
    }
  }
  row.hint = Merge(row.spans, left, right);
}

std::size_t CHeldSpans::Merge(std::vector<Span>& spans, int left, int right) {
  // The first span that reaches the new one (touching counts), then every span it reaches.
  auto first = std::lower_bound(spans.begin(), spans.end(), left,
                                [](const Span& span, int x) { return span.right < x; });
  const auto index = static_cast<std::size_t>(first - spans.begin());
  if (first == spans.end() || first->left > right) {
    spans.insert(first, Span{left, right});
    return index;
  }
  auto last = first;
  int merged_right = right;
  while (last != spans.end() && last->left <= right) {
    merged_right = std::max(merged_right, last->right);
    ++last;
  }
  *first = {std::min(left, first->left), merged_right};
  spans.erase(first + 1, last);
  return index;
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
    Place(row, destination.left, destination.right);
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
  rows_[static_cast<std::size_t>(y)].hint = 0;
}

void CHeldSpans::DrawAll(CPixelBuffer& to, const CPixelBuffer& from) {
  for (const int y : used_rows_) {
    DrawRow(y, to, from);
    rows_[static_cast<std::size_t>(y)].listed = false;
  }
  used_rows_.clear();
}

}  // namespace saver
