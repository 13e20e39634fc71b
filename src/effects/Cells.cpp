#include "effects/Cells.h"

#include <algorithm>
#include <climits>

#include "effects/RevealInPlace.h"

namespace saver::effects {
namespace {

constexpr int kSmallCell = 16;
constexpr int kLargeCell = 40;

// The cells of a grid, numbered j = 0 ... count - 1 along `index_runs_along` first. When that
// count is even both counts grow by one, so that j's parity is the parity of row + column (a
// checkerboard). The extra cells lie outside the target: visited and waited for, never drawn.
struct CellGrid {
  int cols, rows;
  bool index_along_rows;  // j = row * cols + column; otherwise j = column * rows + row

  static CellGrid Make(int w, int h, int cell, bool index_along_rows) {
    CellGrid grid{(w + cell - 1) / cell, (h + cell - 1) / cell, index_along_rows};
    if ((index_along_rows ? grid.cols : grid.rows) % 2 == 0) {
      ++grid.cols;
      ++grid.rows;
    }
    return grid;
  }
  int Count() const { return cols * rows; }
  int Row(int j) const { return index_along_rows ? j / cols : j % rows; }
  int Column(int j) const { return index_along_rows ? j % cols : j / rows; }
};

CellGrid SmallGrid(CEffectContext& context, bool index_along_rows) {
  return CellGrid::Make(context.Width(), context.Height(), kSmallCell, index_along_rows);
}

// Phases p = 0, 1; offsets e = 0, e_step, ... < 16; every cell j of the phase (all cells, or
// only those with j mod 2 = p), then one wait per cell, drawn or not.
template <typename DrawCell>
void SmallCellPasses(CEffectContext& context, const CellGrid& grid, int offset_step, bool checkerboard,
                     DrawCell draw_cell) {
  for (int phase = 0; phase < 2; ++phase) {
    for (int e = 0; e < kSmallCell; e += offset_step) {
      for (int j = checkerboard ? phase : 0; j < grid.Count(); j += checkerboard ? 2 : 1) {
        draw_cell(phase, e, grid.Row(j), grid.Column(j));
        context.Wait();
      }
    }
  }
}

// Steps of the 40 x 40 effects: every cell of the grid drawn at each step (draw_cell(batch, t,
// x, y) adds its blocks to the step's batch), then the step's waits.
template <typename DrawCell>
void LargeCellSteps(CEffectContext& context, int first, int last, int step_direction, DrawCell draw_cell,
                    void (*wait_step)(CEffectContext&)) {
  const CellGrid grid = CellGrid::Make(context.Width(), context.Height(), kLargeCell, true);
  CRevealBatch batch(context);
  for (int t = first;; t += step_direction) {
    for (int j = 0; j < grid.Count(); ++j) {
      draw_cell(batch, t, kLargeCell * grid.Column(j), kLargeCell * grid.Row(j));
    }
    batch.Flush();
    wait_step(context);
    if (t == last) return;
  }
}

// PacedWait(2a, 3000.0); 2a kept within int for any pace a package may hold.
void FiveLongWaits(CEffectContext& context) {
  const long long doubled = 2LL * context.Pace();
  const int a = static_cast<int>(std::clamp<long long>(doubled, INT_MIN, INT_MAX));
  for (int i = 0; i < 5; ++i) context.Wait(a, 3000.0);
}

void ThreeWaits(CEffectContext& context) {
  for (int i = 0; i < 3; ++i) context.Wait();
}

}  // namespace

// Each cell of one checkerboard colour is wiped left to right, one column per offset; then the
// other colour.
void CheckerboardColumns(CEffectContext& context) {
  const int w = context.Width(), h = context.Height();
  SmallCellPasses(context, SmallGrid(context, true), 1, true, [&](int, int e, int r, int q) {
    const int x = kSmallCell * q + e, y = kSmallCell * r;
    if (x < w && y < h) RevealBlock(context, x, y, 1, std::min(kSmallCell, h - y));
  });
}

// As 17 with rows inside the cells; the cell index runs down the columns.
void CheckerboardRows(CEffectContext& context) {
  const int w = context.Width(), h = context.Height();
  SmallCellPasses(context, SmallGrid(context, false), 1, true, [&](int, int e, int r, int q) {
    const int x = kSmallCell * q, y = kSmallCell * r + e;
    if (y < h && x < w) RevealBlock(context, x, y, std::min(kSmallCell, w - x), 1);
  });
}

// Every other column of every cell per phase; odd cell rows take the other columns first.
void InterleaveColumns(CEffectContext& context) {
  const int w = context.Width(), h = context.Height();
  SmallCellPasses(context, SmallGrid(context, true), 2, false, [&](int p, int e, int r, int q) {
    const int x = kSmallCell * q + e, y = kSmallCell * r;
    if (x >= w || y >= h) return;
    const int o = r % 2 == 1 ? 1 - p : p;
    if (x + o < w) RevealBlock(context, x + o, y, 1, std::min(kSmallCell, h - y));
  });
}

// Every other row of every cell per phase; cells with odd row + column take the other rows first.
void InterleaveRows(CEffectContext& context) {
  const int w = context.Width(), h = context.Height();
  SmallCellPasses(context, SmallGrid(context, true), 2, false, [&](int p, int e, int r, int q) {
    const int x = kSmallCell * q, y = kSmallCell * r + e;
    if (x >= w || y >= h) return;
    const int o = (q + r) % 2 == 1 ? 1 - p : p;
    if (y + o < h) RevealBlock(context, x, y + o, std::min(kSmallCell, w - x), 1);
  });
}

// A square of side 2t grows around each cell's centre, t = 0 ... 20.
void GrowingSquares(CEffectContext& context) {
  LargeCellSteps(
      context, 0, kLargeCell / 2, 1,
      [](CRevealBatch& batch, int t, int x, int y) {
        batch.Add(x + kLargeCell / 2 - t, y + kLargeCell / 2 - t, 2 * t, 2 * t);
      },
      FiveLongWaits);
}

// The outline of a square of side 2t closes in on each cell's centre, t = 20 ... 0; the last
// step draws the centre pixel (20, 20).
void ClosingRings(CEffectContext& context) {
  LargeCellSteps(
      context, kLargeCell / 2, 0, -1,
      [](CRevealBatch& batch, int t, int x, int y) {
        const int x0 = x + kLargeCell / 2 - t, y0 = y + kLargeCell / 2 - t;
        batch.Add(x0, y0, 2 * t, 1);
        batch.Add(x0, y0 + 2 * t, 2 * t, 1);
        batch.Add(x0, y0, 1, 2 * t);
        batch.Add(x0 + 2 * t, y0, 1, 2 * t + 1);
      },
      FiveLongWaits);
}

// Row k of each cell shows t - k pixels from its left side, at most the cell's 40, t = 0 ... 80:
// a diagonal edge crossing the cell. The pixels are plain copies in place, so each step draws
// only the pixel that row gains, t - k - 1.
void CellDiagonalWipe(CEffectContext& context) {
  LargeCellSteps(
      context, 0, 2 * kLargeCell, 1,
      [](CRevealBatch& batch, int t, int x, int y) {
        for (int k = std::max(t - kLargeCell, 0); k < kLargeCell && t - k > 0; ++k) {
          batch.Add(x + t - k - 1, y + k, 1, 1);
        }
      },
      ThreeWaits);
}

}  // namespace saver::effects
