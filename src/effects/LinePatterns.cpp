#include "effects/LinePatterns.h"

#include <algorithm>

#include "effects/RevealInPlace.h"

namespace saver::effects {
namespace {

constexpr int kBand = 8;
// Strip lines wait every 10 lines, spiral legs every 2 slices.
constexpr int kStripLinesPerWait = 10;
constexpr int kSpiralSlicesPerWait = 2;

enum class Edge { Left, Right };
enum class FirstBand { Top, Bottom };

// Bands of 8 rows, k = 0 ... h / 8 (the last one may be short or empty). At step s a band with
// lag l shows n = s - l columns from its edge; the lags make the bands start one after another,
// 8 steps apart, so the bands form a staircase.
void Staircase(CEffectContext& context, Edge edge, FirstBand first) {
  const int w = context.Width(), h = context.Height();
  const int last_band = h / kBand;
  for (int s = 0;; ++s) {
    for (int k = 0; k <= last_band; ++k) {
      const int lag = first == FirstBand::Top ? kBand * k : kBand * (last_band + 1 - k);
      const int n = s - lag;
      if (n <= 0 || n > w) continue;
      const int y = kBand * k, height = std::min(kBand, h - y);
      RevealBlock(context, edge == Edge::Right ? w - n : 0, y, n, height);
    }
    if (s > kBand * (last_band + 1) + w) return;
    context.Wait();
  }
}

// Positions first, first + step, ... up to and including last; empty when first lies beyond last.
struct LineRun {
  int first, last, step;  // step is +1 or -1

  static LineRun Up(int first, int last) { return {first, last, 1}; }
  static LineRun Down(int first, int last) { return {first, last, -1}; }

  template <typename Visit>
  void ForEach(Visit visit) const {
    for (int index = 0, at = first; step > 0 ? at <= last : at >= last; ++index, at += step) {
      visit(index, at);
    }
  }
};

// Draws the lines of a run, with a wait after every line whose index within the run is a
// multiple of wait_every (the first line always waits).
template <typename DrawLine>
void DrawRun(CEffectContext& context, LineRun lines, int wait_every, DrawLine draw_line) {
  lines.ForEach([&](int index, int line) {
    draw_line(line);
    if (index % wait_every == 0) context.Wait();
  });
}

// Strips i = 0 ... length / kBand, each wiped completely before the next: even strips run along
// `along` forwards, odd strips backwards. strip_start(i) is the first line across of strip i.
template <typename StripStart, typename DrawLine>
void Strips(CEffectContext& context, int across, int along, StripStart strip_start, DrawLine draw_line) {
  for (int i = 0; i <= across / kBand; ++i) {
    const int start = strip_start(i);
    const bool forwards = i % 2 == 0;
    DrawRun(context, forwards ? LineRun::Up(0, along - 1) : LineRun::Down(along - 1, 0),
            kStripLinesPerWait, [&](int line) { draw_line(start, line); });
  }
}

void ColumnStrips(CEffectContext& context, bool from_left) {
  const int w = context.Width(), h = context.Height();
  Strips(context, w, h, [&](int i) { return from_left ? kBand * i : w - kBand * (i + 1); },
         [&](int x, int y) { RevealBlock(context, x, y, kBand, 1); });
}

void RowStrips(CEffectContext& context, bool from_top) {
  const int w = context.Width(), h = context.Height();
  Strips(context, h, w, [&](int i) { return from_top ? kBand * i : h - kBand * (i + 1); },
         [&](int y, int x) { RevealBlock(context, x, y, 1, kBand); });
}

// The band runs around the rectangle (l, t, r, b) in four legs, then the rectangle shrinks by a
// band on every side; draw_ring(l, t, r, b) draws the four legs.
template <typename DrawRing>
void Spiral(CEffectContext& context, DrawRing draw_ring) {
  int l = 0, t = 0, r = context.Width(), b = context.Height();
  for (;;) {
    draw_ring(l, t, r, b);
    l += kBand, t += kBand, r -= kBand, b -= kBand;
    if (r - l < 0 || b - t < 0) return;
  }
}

// Horizontal legs draw 1 x 8 slices at x, vertical legs 8 x 1 slices at y.
auto HorizontalSlice(CEffectContext& context, int y) {
  return [&context, y](int x) { RevealBlock(context, x, y, 1, kBand); };
}
auto VerticalSlice(CEffectContext& context, int x) {
  return [&context, x](int y) { RevealBlock(context, x, y, kBand, 1); };
}

}  // namespace

void StaircaseFromRightTopFirst(CEffectContext& context) { Staircase(context, Edge::Right, FirstBand::Top); }
void StaircaseFromRightBottomFirst(CEffectContext& context) { Staircase(context, Edge::Right, FirstBand::Bottom); }
void StaircaseFromLeftTopFirst(CEffectContext& context) { Staircase(context, Edge::Left, FirstBand::Top); }
void StaircaseFromLeftBottomFirst(CEffectContext& context) { Staircase(context, Edge::Left, FirstBand::Bottom); }

void ColumnStripsLeftToRight(CEffectContext& context) { ColumnStrips(context, true); }
void RowStripsTopToBottom(CEffectContext& context) { RowStrips(context, true); }
void ColumnStripsRightToLeft(CEffectContext& context) { ColumnStrips(context, false); }
void RowStripsBottomToTop(CEffectContext& context) { RowStrips(context, false); }

// Top band rightwards, right band down, bottom band leftwards, left band up. The vertical and
// backward legs include their end position, one line past the rectangle.
void SpiralClockwise(CEffectContext& context) {
  Spiral(context, [&](int l, int t, int r, int b) {
    DrawRun(context, LineRun::Up(l, r - 1), kSpiralSlicesPerWait, HorizontalSlice(context, t));
    DrawRun(context, LineRun::Up(t, b), kSpiralSlicesPerWait, VerticalSlice(context, r - kBand));
    DrawRun(context, LineRun::Down(r, l), kSpiralSlicesPerWait, HorizontalSlice(context, b - kBand));
    DrawRun(context, LineRun::Down(b, t), kSpiralSlicesPerWait, VerticalSlice(context, l));
  });
}

// Left band down, bottom band rightwards, right band up, top band leftwards.
void SpiralCounterClockwise(CEffectContext& context) {
  Spiral(context, [&](int l, int t, int r, int b) {
    DrawRun(context, LineRun::Up(t, b), kSpiralSlicesPerWait, VerticalSlice(context, l));
    DrawRun(context, LineRun::Up(l, r - 1), kSpiralSlicesPerWait, HorizontalSlice(context, b - kBand));
    DrawRun(context, LineRun::Down(b, t), kSpiralSlicesPerWait, VerticalSlice(context, r - kBand));
    DrawRun(context, LineRun::Down(r, l), kSpiralSlicesPerWait, HorizontalSlice(context, t));
  });
}

}  // namespace saver::effects
