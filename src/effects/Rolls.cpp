#include "effects/Rolls.h"

#include <algorithm>

#include "effects/RevealInPlace.h"

namespace saver::effects {
namespace {

// The lines of a roll counted from its edge: position k, showing the picture's line j (j = k in
// place, another line inside the mirrored band).
struct RollSpan {
  int band;        // Z: width of the mirrored band, a tenth of the side
  int last_line;   // the band is drawn up to this position (the side, or its middle)
  int front_end;   // the front s runs 0 ... front_end - 1
};

// How a roll waits: after every `positions_per_wait` line positions, or (0) once per front step
// with PacedWait(a, 1000 * q), q = trunc((1100 - a) / 1000) + 2.
struct RollPacing {
  int positions_per_wait;
};

// A tenth of the side, at least 1: with a band of 0 the front would stop one line short of the
// far edge on sides below 10 pixels. A band of 1 mirrors nothing (no line lies between m and
// the front), so it only adds that missing step.
int BandWidth(int side) { return std::max(static_cast<int>(0.1 * side), 1); }

void WaitForFrontStep(CEffectContext& context) {
  const long long speed = 1100LL - context.Pace();
  context.Wait(context.Pace(), 1000.0 * static_cast<double>(speed / 1000 + 2));
}

// Front s moves one line per step. Lines up to m = max(s - Z, 0) are drawn in place; the lines
// between m and the front show the picture mirrored, line k showing line m + s - k. d remembers
// the last line drawn in place, where the next step starts. A mirrored line whose picture line
// lies past the picture (once the front has left the target) is cut away by the context and
// left as it is until it is drawn in place.
template <typename DrawLine>
void Roll(CEffectContext& context, RollSpan span, RollPacing pacing, DrawLine draw_line) {
  int d = 0;
  long long positions = 0;
  for (int s = 0; s < span.front_end; ++s) {
    const int m = std::max(s - span.band, 0);
    for (int k = d; k < s; ++k) {
      if (k <= m) {
        draw_line(k, k);
        d = k;
      } else if (k <= span.last_line) {
        draw_line(k, m + s - k);
      }
      if (pacing.positions_per_wait > 0 && ++positions % pacing.positions_per_wait == 0) context.Wait();
    }
    if (pacing.positions_per_wait == 0) WaitForFrontStep(context);
  }
}

void DrawColumn(CEffectContext& context, int x, int source_x) {
  context.Blit(x, 0, 1, context.Height(), Layer::New, source_x, 0);
}
void DrawRow(CEffectContext& context, int y, int source_y) {
  context.Blit(0, y, context.Width(), 1, Layer::New, 0, source_y);
}

constexpr RollPacing kColumnPacing{75};
constexpr RollPacing kTwoSidedColumnPacing{50};
constexpr RollPacing kRowPacing{0};

// From the near edge (left, top) the front runs while s < Z + side. From the far edge line
// side - k takes the role of line k, so position 0 lies just past the target and the front takes
// one step more. From both edges at once the band reaches only the middle line.
RollSpan FromNearEdge(int side) { return {BandWidth(side), side - 1, BandWidth(side) + side}; }
RollSpan FromFarEdge(int side) { return {BandWidth(side), side - 1, BandWidth(side) + side + 1}; }
RollSpan FromBothEdges(int side) { return {BandWidth(side), side / 2, BandWidth(side) + side / 2 + 1}; }

}  // namespace

void RollFromLeft(CEffectContext& context) {
  Roll(context, FromNearEdge(context.Width()), kColumnPacing,
       [&](int k, int j) { DrawColumn(context, k, j); });
}

void RollFromRight(CEffectContext& context) {
  const int w = context.Width();
  Roll(context, FromFarEdge(w), kColumnPacing, [&](int k, int j) { DrawColumn(context, w - k, w - j); });
}

void RollFromTop(CEffectContext& context) {
  Roll(context, FromNearEdge(context.Height()), kRowPacing, [&](int k, int j) { DrawRow(context, k, j); });
}

void RollFromBottom(CEffectContext& context) {
  const int h = context.Height();
  Roll(context, FromFarEdge(h), kRowPacing, [&](int k, int j) { DrawRow(context, h - k, h - j); });
}

void RollFromLeftAndRight(CEffectContext& context) {
  const int w = context.Width();
  Roll(context, FromBothEdges(w), kTwoSidedColumnPacing, [&](int k, int j) {
    DrawColumn(context, k, j);
    DrawColumn(context, w - k, w - j);
  });
}

void RollFromTopAndBottom(CEffectContext& context) {
  const int h = context.Height();
  Roll(context, FromBothEdges(h), kRowPacing, [&](int k, int j) {
    DrawRow(context, k, j);
    DrawRow(context, h - k, h - j);
  });
}

}  // namespace saver::effects
