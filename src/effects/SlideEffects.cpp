// Slides: the new picture moves in over the old one, which stays where it is. None of these
// effects needs the old picture.
#include <algorithm>

#include "effects/MovingEffects.h"
#include "effects/Progress.h"

namespace saver::effects {

void QuartersSlideIn(CEffectContext& c) {
  const int w = c.Width(), h = c.Height(), u = w / 2, v = h / 2;
  // The inner corner of each quarter leads; the final blit fills the middle line of odd sizes.
  RunQuarters(c, [&](int x, int y, bool) {
    c.Blit(0, 0, x, y, Layer::New, u - x, v - y);
    c.Blit(2 * u - x, 0, x, y, Layer::New, u, v - y);
    c.Blit(0, h - y, x, y, Layer::New, u - x, v);
    c.Blit(w - x, h - y, x, y, Layer::New, u, v);
  });
  DrawWholeNew(c);
}

void RowBandsSlideInFromSides(CEffectContext& c) {
  const int w = c.Width(), h = c.Height();
  RunSteps(c, 0, w, [&](int j) {
    for (int k = 0; k <= h / 8; ++k) {
      const int band = std::min(8, h - 8 * k);
      if (k % 2 == 0) {
        c.Blit(0, 8 * k, j, band, Layer::New, w - j, 8 * k);
      } else {
        c.Blit(w - j, 8 * k, j, band, Layer::New, 0, 8 * k);
      }
    }
  });
}

void ColumnBandsSlideInFromEdges(CEffectContext& c) {
  const int w = c.Width(), h = c.Height();
  RunSteps(c, 0, h, [&](int j) {
    for (int k = 0; k <= w / 8; ++k) {
      const int band = std::min(8, w - 8 * k);
      if (k % 2 == 0) {
        c.Blit(8 * k, 0, band, j, Layer::New, 8 * k, h - j);
      } else {
        c.Blit(8 * k, h - j, band, j, Layer::New, 8 * k, 0);
      }
    }
  });
}

void SlideInFromTop(CEffectContext& c) {
  const int w = c.Width(), h = c.Height();
  RunSteps(c, 0, h, [&](int j) { c.Blit(0, 0, w, j, Layer::New, 0, h - j); });
}

void SlideInFromBottom(CEffectContext& c) {
  const int w = c.Width(), h = c.Height();
  RunSteps(c, 0, h, [&](int j) { c.Blit(0, h - j, w, j, Layer::New, 0, 0); });
}

void SlideInFromRight(CEffectContext& c) {
  const int w = c.Width(), h = c.Height();
  RunSteps(c, 0, w, [&](int j) { c.Blit(w - j, 0, j, h, Layer::New, 0, 0); });
}

void SlideInFromLeft(CEffectContext& c) {
  const int w = c.Width(), h = c.Height();
  RunSteps(c, 0, w, [&](int j) { c.Blit(0, 0, j, h, Layer::New, w - j, 0); });
}

void SlideInFromTopRight(CEffectContext& c) {
  const int w = c.Width(), h = c.Height();
  const DiagonalAxes axes{w, h};
  RunDiagonal(c, axes.XDown(), axes.YUpToAbove(),
              [&](int x, int y) { c.Blit(x, 0, w - x, y, Layer::New, 0, h - y); });
  DrawWholeNew(c);
}

void SlideInFromBottomRight(CEffectContext& c) {
  const int w = c.Width(), h = c.Height();
  const DiagonalAxes axes{w, h};
  RunDiagonal(c, axes.XDown(), axes.YDown(),
              [&](int x, int y) { c.Blit(x, y, w - x, h - y, Layer::New, 0, 0); });
}

void SlideInFromTopLeft(CEffectContext& c) {
  const int w = c.Width(), h = c.Height();
  const DiagonalAxes axes{w, h};
  RunDiagonal(c, axes.XUpToAbove(), axes.YUpToAbove(),
              [&](int x, int y) { c.Blit(0, 0, x, y, Layer::New, w - x, h - y); });
  DrawWholeNew(c);
}

void SlideInFromBottomLeft(CEffectContext& c) {
  const int w = c.Width(), h = c.Height();
  const DiagonalAxes axes{w, h};
  RunDiagonal(c, axes.XUpTo(), axes.YDown(),
              [&](int x, int y) { c.Blit(0, y, x, h - y, Layer::New, w - x, 0); });
  DrawWholeNew(c);
}

// 53 and 55 run one step past the middle (j = m + 1); the final blit makes the frame exact.
void HalvesSlideInFromTopAndBottom(CEffectContext& c) {
  const int w = c.Width(), h = c.Height(), m = h / 2;
  RunSteps(c, 0, m + 1, [&](int j) {
    c.Blit(0, 0, w, j, Layer::New, 0, m - j);
    c.Blit(0, h - j, w, j, Layer::New, 0, m);
  });
  DrawWholeNew(c);
}

void HalvesSlideInFromLeftAndRight(CEffectContext& c) {
  const int w = c.Width(), h = c.Height(), m = w / 2;
  RunSteps(c, 0, m + 1, [&](int j) {
    c.Blit(0, 0, j, h, Layer::New, m - j, 0);
    c.Blit(w - j, 0, j, h, Layer::New, m, 0);
  });
  DrawWholeNew(c);
}

}  // namespace saver::effects
