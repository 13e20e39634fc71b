#include "effects/Wipes.h"

#include <algorithm>

#include "effects/Progress.h"
#include "effects/RevealInPlace.h"

namespace saver::effects {
namespace {

// Interlace: 16 passes; pass p visits lines p, p + 16, ... up to (count / 16) * 16 + p and waits
// after every visit, so lines past the last one still cost a wait.
template <typename DrawLine>
void Interlace(CEffectContext& context, int count, DrawLine draw_line) {
  for (int pass = 0; pass < 16; ++pass) {
    for (int j = 0; j <= count / 16; ++j) {
      const int line = pass + 16 * j;
      if (line < count) draw_line(line);
      context.Wait();
    }
  }
}

// Step i = 0, 1, ... draws a pair of lines, then waits; the step with 2i + 2 > count is the last.
template <typename DrawPair>
void PairSteps(CEffectContext& context, int count, DrawPair draw_pair) {
  for (int i = 0;; ++i) {
    draw_pair(i);
    context.Wait();
    if (2 * i + 2 > count) return;
  }
}

}  // namespace

// Ring i: top row and left column at once, the bottom row and right column from ring 1 on, so
// those two sides lag one ring behind (they start on row h - 1 and column w - 1).
void BoxIn(CEffectContext& context) {
  const int w = context.Width(), h = context.Height();
  for (int i = 0;; ++i) {
    RevealBlock(context, i, i, w - 2 * i, 1);
    if (i >= 1) RevealBlock(context, i, h - i, w - 2 * i, 1);
    RevealBlock(context, i, i, 1, h - 2 * i);
    if (i >= 1) RevealBlock(context, w - i, i, 1, h - 2 * i + 1);
    if (h - 2 * i < 1 || w - 2 * i < 1) return;
    context.Wait();
  }
}

// The outline from (left, top) to (w - left, h - top) grows by one pixel a side per step; each
// side stops at its edge on its own, so a wide target keeps growing sideways with top = 0.
void BoxOut(CEffectContext& context) {
  const int w = context.Width(), h = context.Height();
  int top = h / 2, left = w / 2;
  for (;;) {
    RevealBlock(context, left, top, w - 2 * left, 1);
    if (top > 0) RevealBlock(context, left, h - top, w - 2 * left, 1);
    RevealBlock(context, left, top, 1, h - 2 * top);
    if (left > 0) RevealBlock(context, w - left, top, 1, std::min(h - 2 * top + 1, h - top));
    if (top == 0 && left == 0) return;
    context.Wait();
    if (left > 0) --left;
    if (top > 0) --top;
  }
}

void InterlaceRows(CEffectContext& context) {
  Interlace(context, context.Height(), [&](int y) { RevealRow(context, y); });
}

void InterlaceColumns(CEffectContext& context) {
  Interlace(context, context.Width(), [&](int x) { RevealColumn(context, x); });
}

void WipeDown(CEffectContext& context) {
  RunSteps(context, 0, context.Height() - 1, [&](int y) { RevealRow(context, y); });
}

void WipeUp(CEffectContext& context) {
  const int h = context.Height();
  RunSteps(context, 0, h - 1, [&](int i) { RevealRow(context, h - 1 - i); });
}

void WipeLeft(CEffectContext& context) {
  const int w = context.Width();
  RunSteps(context, 0, w - 1, [&](int i) { RevealColumn(context, w - 1 - i); });
}

void WipeRight(CEffectContext& context) {
  RunSteps(context, 0, context.Width() - 1, [&](int x) { RevealColumn(context, x); });
}

void WipeRowsToMiddle(CEffectContext& context) {
  const int h = context.Height();
  PairSteps(context, h, [&](int i) {
    if (i < h) RevealRow(context, i);
    if (i >= 1) RevealRow(context, h - i);
  });
}

void WipeRowsFromMiddle(CEffectContext& context) {
  const int h = context.Height(), m = h / 2;
  PairSteps(context, h, [&](int i) {
    if (i <= m) RevealRow(context, m - i);
    if (m + i < h) RevealRow(context, m + i);
  });
}

void WipeColumnsToMiddle(CEffectContext& context) {
  const int w = context.Width();
  PairSteps(context, w, [&](int i) {
    if (i <= w / 2) RevealColumn(context, i);
    if (i >= 1) RevealColumn(context, w - i);
  });
}

// The right half starts at the middle column itself, the left half one column further left; on
// odd widths the outermost right column is left to the final blit.
void WipeColumnsFromMiddle(CEffectContext& context) {
  const int w = context.Width(), m = w / 2;
  PairSteps(context, w, [&](int i) {
    if (i >= 1) RevealColumn(context, m - i);
    if (i < m) RevealColumn(context, m + i);
  });
  DrawWholeNew(context);
}

}  // namespace saver::effects
