// Pushes: the new picture enters and pushes the old one out, both moving together.
#include "effects/MovingEffects.h"
#include "effects/Progress.h"

namespace saver::effects {
namespace {

// Strip pushes: strips of 8 lines, each completed before the next starts, with a wait after
// every step of a strip whose counter is a multiple of wait_every.
template <typename Draw>
void RunStrips(CEffectContext& c, int last_strip, int last_step, int wait_every, Draw draw) {
  for (int i = 0; i <= last_strip; ++i) {
    for (int j = 0; j <= last_step; ++j) {
      draw(i, j);
      if (j % wait_every == 0) c.Wait();
    }
  }
}

// Step j of a column strip at x: even strips push down, odd ones up.
void PushColumnStrip(CEffectContext& c, int x, int strip, int j) {
  const int h = c.Height();
  if (strip % 2 == 0) {
    c.Blit(x, 0, 8, j, Layer::New, x, h - j);
    c.Blit(x, j, 8, h - j, Layer::Old, x, 0);
  } else {
    c.Blit(x, h - j, 8, j, Layer::New, x, 0);
    c.Blit(x, 0, 8, h - j, Layer::Old, x, j);
  }
}

// Step j of a row strip at y: even strips push right, odd ones left.
void PushRowStrip(CEffectContext& c, int y, int strip, int j) {
  const int w = c.Width();
  if (strip % 2 == 0) {
    c.Blit(0, y, j, 8, Layer::New, w - j, y);
    c.Blit(j, y, w - j, 8, Layer::Old, 0, y);
  } else {
    c.Blit(w - j, y, j, 8, Layer::New, 0, y);
    c.Blit(0, y, w - j, 8, Layer::Old, j, y);
  }
}

}  // namespace

void PushDown(CEffectContext& c) {
  COldSnapshot old(c);
  const int w = c.Width(), h = c.Height();
  RunSteps(c, 0, h, [&](int j) {
    c.Blit(0, 0, w, j, Layer::New, 0, h - j);
    c.Blit(0, j, w, h - j, Layer::Old, 0, 0);
  });
}

void PushUp(CEffectContext& c) {
  COldSnapshot old(c);
  const int w = c.Width(), h = c.Height();
  RunSteps(c, 0, h, [&](int j) {
    c.Blit(0, h - j, w, j, Layer::New, 0, 0);
    c.Blit(0, 0, w, h - j, Layer::Old, 0, j);
  });
}

void PushLeft(CEffectContext& c) {
  COldSnapshot old(c);
  const int w = c.Width(), h = c.Height();
  RunSteps(c, 0, w, [&](int j) {
    c.Blit(w - j, 0, j, h, Layer::New, 0, 0);
    c.Blit(0, 0, w - j, h, Layer::Old, j, 0);
  });
}

void PushRight(CEffectContext& c) {
  COldSnapshot old(c);
  const int w = c.Width(), h = c.Height();
  RunSteps(c, 0, w, [&](int j) {
    c.Blit(0, 0, j, h, Layer::New, w - j, 0);
    c.Blit(j, 0, w - j, h, Layer::Old, 0, 0);
  });
}

// Corner pushes draw the old picture in three pieces: the corner opposite the new picture moves
// diagonally, the band of rows the new picture occupies moves sideways only, and the band of its
// columns up or down only.
void PushFromTopRight(CEffectContext& c) {
  COldSnapshot old(c);
  const int w = c.Width(), h = c.Height();
  const DiagonalAxes axes{w, h};
  RunDiagonal(c, axes.XUpTo(), axes.YDown(), [&](int x, int y) {
    c.Blit(w - x, 0, x, h - y, Layer::New, 0, y);
    c.Blit(0, h - y, w - x, y, Layer::Old, x, 0);
    c.Blit(0, 0, w - x, h - y, Layer::Old, x, 0);
    c.Blit(w - x, h - y, x, y, Layer::Old, w - x, 0);
  });
  DrawWholeNew(c);
}

// With single-precision steps Y could go below 0 before X reached w, and was then put back to 0
// until both ended on the same step; with exact progress both arrive on that step anyway.
void PushFromBottomRight(CEffectContext& c) {
  COldSnapshot old(c);
  const int w = c.Width(), h = c.Height();
  const DiagonalAxes axes{w, h};
  RunDiagonal(c, axes.XUpTo(), axes.YDown(), [&](int x, int y) {
    c.Blit(w - x, y, x, h - y, Layer::New, 0, 0);
    c.Blit(0, 0, w - x, y, Layer::Old, x, h - y);
    c.Blit(0, y, w - x, h - y, Layer::Old, x, y);
    c.Blit(w - x, 0, x, y, Layer::Old, w - x, h - y);
  });
  DrawWholeNew(c);
}

void PushFromTopLeft(CEffectContext& c) {
  COldSnapshot old(c);
  const int w = c.Width(), h = c.Height();
  const DiagonalAxes axes{w, h};
  RunDiagonal(c, axes.XUpToAbove(), axes.YUpToAbove(), [&](int x, int y) {
    c.Blit(0, 0, x, y, Layer::New, w - x, h - y);
    c.Blit(x, y, w - x, h - y, Layer::Old, 0, 0);
    c.Blit(x, 0, w - x, y, Layer::Old, 0, 0);
    c.Blit(0, y, x, h - y, Layer::Old, 0, 0);
  });
  DrawWholeNew(c);
}

void PushFromBottomLeft(CEffectContext& c) {
  COldSnapshot old(c);
  const int w = c.Width(), h = c.Height();
  const DiagonalAxes axes{w, h};
  RunDiagonal(c, axes.XUpTo(), axes.YUpTo(), [&](int x, int y) {
    c.Blit(0, h - y, x, y, Layer::New, w - x, 0);
    c.Blit(x, 0, w - x, h - y, Layer::Old, 0, y);
    c.Blit(x, h - y, w - x, y, Layer::Old, 0, h - y);
    c.Blit(0, 0, x, h - y, Layer::Old, 0, y);
  });
  DrawWholeNew(c);
}

void ColumnStripsPushLeftToRight(CEffectContext& c) {
  COldSnapshot old(c);
  RunStrips(c, c.Width() / 8, c.Height(), 10, [&](int i, int j) { PushColumnStrip(c, 8 * i, i, j); });
}

void RowStripsPushTopToBottom(CEffectContext& c) {
  COldSnapshot old(c);
  RunStrips(c, c.Height() / 8, c.Width(), 10, [&](int i, int j) { PushRowStrip(c, 8 * i, i, j); });
}

// From the right edge; the last strip reaches past column 0 and is cut there.
void ColumnStripsPushRightToLeft(CEffectContext& c) {
  COldSnapshot old(c);
  const int w = c.Width();
  RunStrips(c, w / 8, c.Height(), 9, [&](int i, int j) { PushColumnStrip(c, w - 8 * (i + 1), i, j); });
}

void RowStripsPushBottomToTop(CEffectContext& c) {
  COldSnapshot old(c);
  const int h = c.Height();
  RunStrips(c, h / 8, c.Width(), 10, [&](int i, int j) { PushRowStrip(c, h - 8 * (i + 1), i, j); });
}

}  // namespace saver::effects
