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

// The usual cases: a row grown at its first or its last span (a wedge from each side, a band
// widening both ways), when [left, right) reaches no other span. False when it is not one.
template <typename Span>
bool GrowEnd(std::vector<Span>& spans, int left, int right) {
  const std::size_t count = spans.size();
  if (count == 0) return false;
  Span* grown = nullptr;
  if (Reaches(spans.back(), left, right) && (count == 1 || left > spans[count - 2].right)) {
    grown = &spans.back();
  } else if (count > 1 && Reaches(spans.front(), left, right) && right < spans[1].left) {
    grown = &spans.front();
  } else {
    return false;
  }
  *grown = {std::min(left, grown->left), std::max(right, grown->right)};
  return true;
}

}  // namespace

void CHeldSpans::Merge(std::vector<Span>& spans, int left, int right) {
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
    if (!GrowEnd(row.spans, destination.left, destination.right)) Merge(row.spans, destination.left, destination.right);
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
