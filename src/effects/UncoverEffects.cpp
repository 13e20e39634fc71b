// Uncovers: the old picture slides away and reveals the new one lying in place. Each step draws
// only the part of the new picture that the old one has just left.
#include <algorithm>

#include "effects/MovingEffects.h"
#include "effects/Progress.h"

namespace saver::effects {
namespace {

// One quarter of the target for effect 10, moving away from the centre in the direction
// (dir_x, dir_y), each -1 or +1.
struct Quarter {
  Rect area;
  int dir_x, dir_y;
  // Which strip of the uncovered L-shape is drawn across the whole quarter: the columns (top-left
  // quarter) or the rows (the others). The other strip covers only what the first leaves.
  bool columns_first;
};

// Draws a quarter of OLD displaced by (dx, dy) away from the centre, cut to its own quarter, and
// the strips it has left from NEW in place.
void DrawQuarter(CEffectContext& c, const Quarter& q, int dx, int dy) {
  const Rect& a = q.area;
  const int ox = q.dir_x * dx, oy = q.dir_y * dy;
  c.Blit(a.left + std::max(ox, 0), a.top + std::max(oy, 0), a.Width() - dx, a.Height() - dy, Layer::Old,
         a.left + std::max(-ox, 0), a.top + std::max(-oy, 0));
  const int rows_top = oy < 0 ? a.bottom - dy : a.top;        // the rows it has left
  const int columns_left = ox > 0 ? a.left : a.right - dx;  // the columns it has left
  if (q.columns_first) {
    c.Blit(columns_left, a.top, dx, a.Height(), Layer::New, columns_left, a.top);
    const int left = ox > 0 ? a.left + dx : a.left;
    c.Blit(left, rows_top, a.Width() - dx, dy, Layer::New, left, rows_top);
  } else {
    c.Blit(a.left, rows_top, a.Width(), dy, Layer::New, a.left, rows_top);
    const int top = oy > 0 ? a.top + dy : a.top;
    c.Blit(columns_left, top, dx, a.Height() - dy, Layer::New, columns_left, top);
  }
}

}  // namespace

void QuartersSlideOut(CEffectContext& c) {
  COldSnapshot old(c);
  const int w = c.Width(), h = c.Height(), u = w / 2, v = h / 2;
  // For odd sizes the right and bottom quarters are one line larger; on the last step every
  // quarter moves by its own size, so that the last frame is the whole new picture.
  const Quarter quarters[] = {
      {Rect::FromSize(u, 0, w - u, v), +1, -1, false},
      {Rect::FromSize(0, 0, u, v), -1, -1, true},
      {Rect::FromSize(0, v, u, h - v), -1, +1, false},
      {Rect::FromSize(u, v, w - u, h - v), +1, +1, false},
  };
  RunQuarters(c, [&](int x, int y, bool last) {
    for (const Quarter& q : quarters) {
      DrawQuarter(c, q, last ? q.area.Width() : x, last ? q.area.Height() : y);
    }
  });
}

void UncoverDown(CEffectContext& c) {
  COldSnapshot old(c);
  const int w = c.Width(), h = c.Height();
  RunSteps(c, 1, h, [&](int j) {
    c.Blit(0, j, w, h - j, Layer::Old, 0, 0);
    c.Blit(0, j - 1, w, 1, Layer::New, 0, j - 1);
  });
}

void UncoverUp(CEffectContext& c) {
  COldSnapshot old(c);
  const int w = c.Width(), h = c.Height();
  RunSteps(c, 1, h, [&](int j) {
    c.Blit(0, 0, w, h - j, Layer::Old, 0, j);
    c.Blit(0, h - j, w, 1, Layer::New, 0, h - j);
  });
}

void UncoverLeft(CEffectContext& c) {
  COldSnapshot old(c);
  const int w = c.Width(), h = c.Height();
  RunSteps(c, 1, w, [&](int j) {
    c.Blit(0, 0, w - j, h, Layer::Old, j, 0);
    c.Blit(w - j, 0, 1, h, Layer::New, w - j, 0);
  });
}

void UncoverRight(CEffectContext& c) {
  COldSnapshot old(c);
  const int w = c.Width(), h = c.Height();
  RunSteps(c, 1, w, [&](int j) {
    c.Blit(j, 0, w - j, h, Layer::Old, 0, 0);
    c.Blit(j - 1, 0, 1, h, Layer::New, j - 1, 0);
  });
}

void UncoverToBottomLeft(CEffectContext& c) {
  COldSnapshot old(c);
  const int w = c.Width(), h = c.Height();
  const DiagonalAxes axes{w, h};
  RunDiagonal(c, axes.XUpTo(), axes.YDown(), [&](int x, int y) {
    c.Blit(0, h - y, w - x, y, Layer::Old, x, 0);
    c.Blit(0, 0, w, h - y, Layer::New, 0, 0);
    c.Blit(w - x, h - y, x, y, Layer::New, w - x, h - y);
  });
}

void UncoverToTopLeft(CEffectContext& c) {
  COldSnapshot old(c);
  const int w = c.Width(), h = c.Height();
  const DiagonalAxes axes{w, h};
  RunDiagonal(c, axes.XUpTo(), axes.YDown(), [&](int x, int y) {
    c.Blit(0, 0, w - x, y, Layer::Old, x, h - y);
    c.Blit(w - x, 0, x, h, Layer::New, w - x, 0);
    c.Blit(0, y, w - x, h - y, Layer::New, 0, y);
  });
}

void UncoverToBottomRight(CEffectContext& c) {
  COldSnapshot old(c);
  const int w = c.Width(), h = c.Height();
  const DiagonalAxes axes{w, h};
  RunDiagonal(c, axes.XUpToAbove(), axes.YUpToAbove(), [&](int x, int y) {
    c.Blit(x, y, w - x, h - y, Layer::Old, 0, 0);
    c.Blit(0, 0, w, y, Layer::New, 0, 0);
    c.Blit(0, y, x, h - y, Layer::New, 0, y);
  });
}

void UncoverToTopRight(CEffectContext& c) {
  COldSnapshot old(c);
  const int w = c.Width(), h = c.Height();
  const DiagonalAxes axes{w, h};
  RunDiagonal(c, axes.XUpTo(), axes.YDown(), [&](int x, int y) {
    c.Blit(x, 0, w - x, y, Layer::Old, 0, h - y);
    c.Blit(0, y, w, h - y, Layer::New, 0, y);
    c.Blit(0, 0, x, y, Layer::New, 0, 0);
  });
}

// 54 and 56: the old picture splits at the middle line m; its upper (left) part moves up (left)
// and its lower (right) part down (right), while the new picture is drawn line by line behind.
// With n = m + 1 the size is always below 2n, so the lower part keeps size - u - n lines.
void SplitOpenUpAndDown(CEffectContext& c) {
  COldSnapshot old(c);
  const int w = c.Width(), h = c.Height(), m = h / 2, n = m + 1;
  RunSteps(c, 0, n, [&](int u) {
    c.Blit(0, 0, w, n - u, Layer::Old, 0, u);
    c.Blit(0, n - u, w, 1, Layer::New, 0, n - u);
    if (u + n <= h) {
      c.Blit(0, u + n, w, h - u - n, Layer::Old, 0, n);
      c.Blit(0, u + m, w, 1, Layer::New, 0, u + m);
    }
  });
}

void SplitOpenLeftAndRight(CEffectContext& c) {
  COldSnapshot old(c);
  const int w = c.Width(), h = c.Height(), m = w / 2, n = m + 1;
  RunSteps(c, 0, n, [&](int u) {
    c.Blit(0, 0, n - u, h, Layer::Old, u, 0);
    c.Blit(n - u, 0, 1, h, Layer::New, n - u, 0);
    if (u + n <= w) {
      c.Blit(u + n, 0, w - u - n, h, Layer::Old, n, 0);
      c.Blit(u + m, 0, 1, h, Layer::New, u + m, 0);
    }
  });
}

}  // namespace saver::effects
