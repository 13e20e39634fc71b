#include "effects/HeldSpans.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace saver {
namespace {

using Word = std::uint64_t;
constexpr int kBits = 64;
constexpr Word kAll = ~Word{0};

// The first x >= from whose bit is `set`, or `limit` when none; the row's words end at `limit`.
int NextWithBit(const Word* row, int from, int limit, bool set) {
  int word = from / kBits;
  const Word flip = set ? 0 : kAll;
  Word bits = (row[word] ^ flip) & (kAll << (from % kBits));
  const int words = limit / kBits;
  while (bits == 0) {
    if (++word == words) return limit;
    bits = row[word] ^ flip;
  }
  return word * kBits + std::countr_zero(bits);
}

}  // namespace

void CHeldSpans::Add(Layer target, Layer source, Point shift, const Rect& destination, const CPixelBuffer& to) {
  const int first = destination.left / kBits, last = (destination.right - 1) / kBits;
  if (Empty()) {
    target_ = target;
    source_ = source;
    shift_ = shift;
    top_ = destination.top;
    bottom_ = destination.bottom;
    first_word_ = first;
    end_word_ = last + 1;
    const int words = (to.Width() + kBits - 1) / kBits;
    const auto size = static_cast<std::size_t>(words) * static_cast<std::size_t>(to.Height());
    // Every row is clear between uses (DrawAll clears the words it draws), so the words are
    // only made anew for a target of another size.
    if (words != words_per_row_ || marks_.size() != size) {
      words_per_row_ = words;
      marks_.assign(size, 0);
    }
  }
  top_ = std::min(top_, destination.top);
  bottom_ = std::max(bottom_, destination.bottom);
  first_word_ = std::min(first_word_, first);
  end_word_ = std::max(end_word_, last + 1);
  const Word head = kAll << (destination.left % kBits), tail = kAll >> (kBits - 1 - (destination.right - 1) % kBits);
  for (int y = destination.top; y < destination.bottom; ++y) {
    Word* row = RowMarks(y);
    if (first == last) {
      row[first] |= head & tail;
    } else {
      row[first] |= head;
      std::fill(row + first + 1, row + last, kAll);
      row[last] |= tail;
    }
  }
}

void CHeldSpans::DrawRow(int y, CPixelBuffer& to, const CPixelBuffer& from) {
  // Only words first_word_ ... end_word_ - 1 may hold marks: the runs are looked for there.
  Word* row = RowMarks(y);
  const int start = first_word_ * kBits, limit = end_word_ * kBits;
  int x = NextWithBit(row, start, limit, true);
  if (x == limit) return;
  std::uint8_t* out = to.Row(y);
  const std::uint8_t* in = from.Row(y + shift_.y) + shift_.x * 3;
  while (x < limit) {
    const int end = NextWithBit(row, x, limit, false);
    std::memcpy(out + x * 3, in + x * 3, static_cast<std::size_t>(end - x) * 3);
    x = end < limit ? NextWithBit(row, end, limit, true) : limit;
  }
  std::fill(row + first_word_, row + end_word_, Word{0});
}

void CHeldSpans::DrawAll(CPixelBuffer& to, const CPixelBuffer& from) {
  for (int y = top_; y < bottom_; ++y) DrawRow(y, to, from);
  top_ = bottom_ = 0;
}

}  // namespace saver
