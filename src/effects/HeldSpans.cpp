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

void CHeldSpans::Place(Line& line, int left, int right) {
  // The usual cases: the span grown last, the one after it (the next cell along the line), or a
  // line grown at its first or last span (a wedge from each side, a band widening both ways).
  const std::size_t last = line.spans.empty() ? 0 : line.spans.size() - 1;
  for (const std::size_t i : {line.hint, line.hint + 1, last, std::size_t{0}}) {
    if (GrowSpan(line.spans, i, left, right)) {
      line.hint = i;
      return;
    }
  }
  line.hint = Merge(line.spans, left, right);
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
  // A block across many lines of the other kind (a band grown wide after its first narrow
  // steps) would take a span on each: what is held is drawn, and the lines change kind.
  const bool columns = destination.Height() > destination.Width();
  if (!Empty() && columns != by_columns_ &&
      (by_columns_ ? destination.Width() : destination.Height()) > static_cast<int>(kMostLinesAcross)) {
    DrawAll(to, from);
  }
  if (Empty()) by_columns_ = columns;
  target_ = target;
  source_ = source;
  shift_ = shift;
  const Rect& d = destination;
  const int first = by_columns_ ? d.left : d.top, end = by_columns_ ? d.right : d.bottom;
  const int left = by_columns_ ? d.top : d.left, right = by_columns_ ? d.bottom : d.right;
  if (end > static_cast<int>(lines_.size())) lines_.resize(static_cast<std::size_t>(end));
  for (int i = first; i < end; ++i) {
    Line& line = lines_[static_cast<std::size_t>(i)];
    if (!line.listed) {
      line.listed = true;
      used_lines_.push_back(i);
    }
    Place(line, left, right);
    if (line.spans.size() > kMostSpansPerLine) DrawLine(i, to, from);
  }
}

void CHeldSpans::DrawColumns(int first, int last, CPixelBuffer& to, const CPixelBuffer& from) {
  const auto bytes = static_cast<std::size_t>(last - first) * 3;
  for (const Span& span : lines_[static_cast<std::size_t>(first)].spans) {
    for (int y = span.left; y < span.right; ++y) {
      std::memcpy(to.Row(y) + first * 3, from.Row(y + shift_.y) + (first + shift_.x) * 3, bytes);
    }
  }
}

void CHeldSpans::DrawLine(int line, CPixelBuffer& to, const CPixelBuffer& from) {
  Line& held = lines_[static_cast<std::size_t>(line)];
  if (by_columns_) {
    DrawColumns(line, line + 1, to, from);
  } else {
    std::uint8_t* out = to.Row(line);
    const std::uint8_t* in = from.Row(line + shift_.y) + shift_.x * 3;
    for (const Span& span : held.spans) {
      std::memcpy(out + span.left * 3, in + span.left * 3, static_cast<std::size_t>(span.right - span.left) * 3);
    }
  }
  held.spans.clear();
  held.hint = 0;
}

void CHeldSpans::DrawAll(CPixelBuffer& to, const CPixelBuffer& from) {
  if (by_columns_) {
    // Neighbouring columns that hold the same spans (a band of columns uncovered one by one)
    // are drawn as one block, row by row.
    std::sort(used_lines_.begin(), used_lines_.end());
    for (std::size_t i = 0; i < used_lines_.size();) {
      const int first = used_lines_[i];
      const std::vector<Span>& spans = lines_[static_cast<std::size_t>(first)].spans;
      std::size_t j = i + 1;
      while (j < used_lines_.size() && used_lines_[j] == first + static_cast<int>(j - i) &&
             lines_[static_cast<std::size_t>(used_lines_[j])].spans == spans) {
        ++j;
      }
      DrawColumns(first, first + static_cast<int>(j - i), to, from);
      i = j;
    }
  }
  for (const int line : used_lines_) {
    if (!by_columns_) DrawLine(line, to, from);
    Line& held = lines_[static_cast<std::size_t>(line)];
    held.spans.clear();
    held.hint = 0;
    held.listed = false;
  }
  used_lines_.clear();
}

}  // namespace saver
