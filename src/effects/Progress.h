#pragma once
#include <algorithm>
#include <cstdint>

#include "effects/EffectContext.h"

namespace saver {

// Integer progress: draw(j) for j = first ... last, each step followed by one wait.
template <typename Draw>
void RunSteps(CEffectContext& context, int first, int last, Draw draw) {
  for (int j = first; j <= last; ++j) {
    draw(j);
    context.Wait();
  }
}

// Float progress: both axes move at once, the longer side by (longer / shorter) and the shorter
// by 1 per step, so that both arrive on the same step (800 x 600: 4/3 of a pixel across, 1 down).
// Positions are kept as exact fractions over the shorter side D, so that after k steps X has
// moved k * w / D and Y k * h / D; accumulated single-precision steps could drift past an end one
// step early on shapes like 3 x 4 and leave old pixels in effects without a final blit. Where
// the steps are exact in binary (ratios like 1, 1.5, 3) the positions are the same.
class CProgressAxis {
 public:
  // 0 up to `end`, passed once it reaches `end`.
  static CProgressAxis UpTo(int end, int side, int shorter) { return {0, side, Scaled(end, shorter), true}; }
  // 0 up to above `end`, passed once it is beyond `end`.
  static CProgressAxis UpToAbove(int end, int side, int shorter) { return {0, side, Scaled(end, shorter), false}; }
  // `start` down to below 0.
  static CProgressAxis DownFrom(int start, int side, int shorter) {
    return {Scaled(start, shorter), -std::int64_t{side}, 0, false};
  }

  bool Passed() const {
    if (step_ < 0) return value_ < 0;
    return end_inclusive_ ? value_ >= end_ : value_ > end_;
  }
  // A value that has passed its end stops moving.
  void Advance() {
    if (!Passed()) value_ += step_;
  }
  // The position truncated toward zero. `shorter` is the denominator of every value.
  int Pixel(int shorter) const { return static_cast<int>(value_ / shorter); }

 private:
  CProgressAxis(std::int64_t value, std::int64_t step, std::int64_t end, bool end_inclusive)
      : value_(value), step_(step), end_(end), end_inclusive_(end_inclusive) {}
  static std::int64_t Scaled(int pixels, int shorter) { return std::int64_t{pixels} * shorter; }

  std::int64_t value_, step_, end_;
  bool end_inclusive_;
};

// The axes of a target w x h: X moves w / D and Y h / D per step, D = min(w, h).
struct DiagonalAxes {
  int w, h;
  int Shorter() const { return std::min(w, h); }
  CProgressAxis XUpTo() const { return CProgressAxis::UpTo(w, w, Shorter()); }
  CProgressAxis XUpToAbove() const { return CProgressAxis::UpToAbove(w, w, Shorter()); }
  CProgressAxis XDown() const { return CProgressAxis::DownFrom(w, w, Shorter()); }
  CProgressAxis YUpTo() const { return CProgressAxis::UpTo(h, h, Shorter()); }
  CProgressAxis YUpToAbove() const { return CProgressAxis::UpToAbove(h, h, Shorter()); }
  CProgressAxis YDown() const { return CProgressAxis::DownFrom(h, h, Shorter()); }
};

// Float progress effects: draw(x, y), advance both axes, end once both have passed their ends,
// otherwise wait.
template <typename Draw>
void RunDiagonal(CEffectContext& context, CProgressAxis x, CProgressAxis y, Draw draw) {
  const int shorter = std::min(context.Width(), context.Height());
  for (;;) {
    draw(x.Pixel(shorter), y.Pixel(shorter));
    x.Advance();
    y.Advance();
    if (x.Passed() && y.Passed()) return;
    context.Wait();
  }
}

// The final blit that makes the last frame exact.
inline void DrawWholeNew(CEffectContext& context) {
  context.Blit(0, 0, context.Width(), context.Height(), Layer::New, 0, 0);
}

// The quarter effects: X runs from 0 to U = w / 2 and Y from 0 to V = h / 2 with the float
// progress steps, each stopping exactly at its end. draw(x, y, last) runs before the end test,
// so the step with x = U and y = V is drawn and is the last.
template <typename Draw>
void RunQuarters(CEffectContext& context, Draw draw) {
  const int w = context.Width(), h = context.Height(), u = w / 2, v = h / 2;
  const std::int64_t shorter = std::min(w, h);
  for (std::int64_t k = 0;; ++k) {
    const int x = static_cast<int>(std::min<std::int64_t>(k * w / shorter, u));
    const int y = static_cast<int>(std::min<std::int64_t>(k * h / shorter, v));
    const bool last = x == u && y == v;
    draw(x, y, last);
    if (last) return;
    context.Wait();
  }
}

}  // namespace saver
