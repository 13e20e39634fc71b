#include "effects/PendingCopies.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace saver {
namespace {

constexpr CPendingCopies::Latest kNoRuns = {-1, -1, -1, -1};

Rect Destination(const CPendingCopies::Run& run) { return {run.left, run.top, run.left + run.width, run.bottom}; }

// Puts a run first among the latest of `slot` (the index grown as needed).
void PutFirst(std::vector<CPendingCopies::Latest>& index, int slot, std::size_t run) {
  if (slot >= static_cast<int>(index.size())) index.resize(static_cast<std::size_t>(slot) + 1, kNoRuns);
  CPendingCopies::Latest& latest = index[static_cast<std::size_t>(slot)];
  const auto value = static_cast<std::int32_t>(run);
  if (latest.front() == value) return;
  std::copy_backward(latest.begin(), latest.end() - 1, latest.end());
  latest.front() = value;
}

// Whether the two runs share a pixel (a dropped run shares none).
bool Overlap(const CPendingCopies::Run& run, const CPendingCopies::Run& next) {
  return run.width != 0 && run.left < next.left + next.width && next.left < run.left + run.width &&
         run.top < next.bottom && next.top < run.bottom;
}

// Whether `next` lies right beside the run, sharing a whole side: the only place Join takes it.
bool Beside(const CPendingCopies::Run& run, const CPendingCopies::Run& next) {
  if (run.top == next.top && run.bottom == next.bottom) {
    return next.left == run.left + run.width || next.left + next.width == run.left;
  }
  return run.left == next.left && run.width == next.width && (next.top == run.bottom || next.bottom == run.top);
}

}  // namespace

bool CPendingCopies::Join(Run& run, const Run& next) {
  if (run.width == 0 || run.target != next.target || run.source != next.source) return false;
  if (JoinRows(run, next)) return true;
  if (run.top != next.top || run.bottom != next.bottom || run.source_top != next.source_top) return false;
  const bool column = next.width == 1;
  if (!column && run.step == 1 && next.left + next.width == run.left &&
      next.source_left + next.width == run.source_left) {  // a forward block on the left
    run.left = next.left;
    run.source_left = next.source_left;
    run.width += next.width;
    return true;
  }
  if (next.left == run.left + run.width) {  // on the right
    if (run.width == 1 && column && std::abs(next.source_left - run.source_left) == 1) {
      run.step = next.source_left - run.source_left;
    } else if (next.source_left != run.source_left + run.width * run.step || (!column && run.step != 1)) {
      return false;  // a wider block is a forward run of its own
    }
    run.width += next.width;
    return true;
  }
  if (column && next.left == run.left - 1) {  // on the left
    if (run.width == 1 && std::abs(next.source_left - run.source_left) == 1) {
      run.step = run.source_left - next.source_left;
    } else if (next.source_left != run.source_left - run.step) {
      return false;
    }
    run.left = next.left;
    run.source_left = next.source_left;
    ++run.width;
    return true;
  }
  return false;
}

bool CPendingCopies::JoinRows(Run& run, const Run& next) {
  if (next.left != run.left || next.width != run.width || next.source_left != run.source_left ||
      next.step != run.step) {
    return false;
  }
  if (next.top == run.bottom && next.source_top == run.source_top + (run.bottom - run.top)) {  // below
    run.bottom = next.bottom;
    return true;
  }
  if (next.bottom == run.top && next.source_top + (next.bottom - next.top) == run.source_top) {  // above
    run.top = next.top;
    run.source_top = next.source_top;
    return true;
  }
  return false;
}

// The part of `run` on the columns left to right - 1 and the rows top to bottom - 1.
CPendingCopies::Run CPendingCopies::Part(const Run& run, int left, int right, int top, int bottom) {
  Run part = run;
  part.source_left += (left - run.left) * run.step;
  part.source_top += top - run.top;
  part.left = left;
  part.width = right - left;
  part.top = top;
  part.bottom = bottom;
  return part;
}

int CPendingCopies::Subtract(const Run& run, const Run& next, Pieces& pieces) {
  const Rect whole = Destination(run), covered = whole.Intersect(Destination(next));
  int count = 0;
  if (whole.top < covered.top) pieces[count++] = Part(run, whole.left, whole.right, whole.top, covered.top);
  if (covered.bottom < whole.bottom) pieces[count++] = Part(run, whole.left, whole.right, covered.bottom, whole.bottom);
  if (whole.left < covered.left) pieces[count++] = Part(run, whole.left, covered.left, covered.top, covered.bottom);
  if (covered.right < whole.right) pieces[count++] = Part(run, covered.right, whole.right, covered.top, covered.bottom);
  return count;
}

void CPendingCopies::CutBy(std::size_t index, const Run& next) {
  Pieces pieces;
  const int count = Subtract(runs_[index], next, pieces);
  if (count == 0 && runs_.size() - index <= kRunsErased) {
    runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(index));
  } else if (count == 0) {
    runs_[index].width = 0;
    ++dropped_;
  } else if (count == 1) {
    runs_[index] = pieces[0];
  } else if (count > 1 && RunsHeld() < kMostRunsSplit) {
    // The pieces take the place of the run in the order of drawing.
    runs_[index] = pieces[0];
    runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(index) + 1, pieces.begin() + 1, pieces.begin() + count);
  }
}

void CPendingCopies::Remember(std::size_t index) {
  PutFirst(last_on_row_, runs_[index].top, index);
  PutFirst(last_at_column_, runs_[index].left, index);
}

void CPendingCopies::Add(const Run& next) {
  // The few latest runs (a push's two blocks, a roll's band being redrawn) and the latest runs
  // that started on the same row or column (a block drawn again, grown). Backwards, so that
  // the pieces of a run split in two, or a run taken out, move only runs already looked at.
  constexpr std::size_t kRunsLookedAt = 16;
  // Fewer for joining: the run a roll's column continues lies among the last four.
  constexpr std::size_t kRunsJoinedTo = 4;
  const std::size_t first = runs_.size() - std::min(runs_.size(), kRunsLookedAt);
  // Most runs looked at lie elsewhere: the test comes first, before any call.
  for (std::size_t i = runs_.size(); i-- > first;) {
    if (Overlap(runs_[i], next)) CutBy(i, next);
  }
  const auto cut_slot = [&](const std::vector<Latest>& index, int slot) {
    if (slot >= static_cast<int>(index.size())) return;
    for (const std::int32_t run : index[static_cast<std::size_t>(slot)]) {
      const auto index = static_cast<std::size_t>(run);
      if (run >= 0 && index < runs_.size() && Overlap(runs_[index], next)) CutBy(index, next);
    }
  };
  cut_slot(last_on_row_, next.top);
  cut_slot(last_at_column_, next.left);
  // The latest run that `next` continues takes it, as long as no run after it covers any of the
  // same pixels: bands drawn in turn (a roll from both sides, whose columns drawn in place come
  // between the mirrored ones of its bands) still grow as one block each.
  const std::size_t first_joined = runs_.size() - std::min(runs_.size(), kRunsJoinedTo);
  for (std::size_t i = runs_.size(); i-- > first_joined;) {
    if (Beside(runs_[i], next) && Join(runs_[i], next)) {
      Remember(i);
      return;
    }
    if (Overlap(runs_[i], next)) break;
  }
  runs_.push_back(next);
  Remember(runs_.size() - 1);
  // Runs marked dropped are taken out once they outnumber those held (a widening band drops a
  // whole frame's rows at every step).
  if (dropped_ > kMostRunsSplit && dropped_ > RunsHeld()) Compact();
}

void CPendingCopies::Compact() {
  std::erase_if(runs_, [](const Run& run) { return run.width == 0; });
  dropped_ = 0;
  std::fill(last_on_row_.begin(), last_on_row_.end(), kNoRuns);
  std::fill(last_at_column_.begin(), last_at_column_.end(), kNoRuns);
  for (std::size_t i = 0; i < runs_.size(); ++i) Remember(i);
}

void CPendingCopies::DrawAll(CPixelBuffer& to, const std::function<const CPixelBuffer&(Layer)>& source_of) {
  for (const Run& run : runs_) {
    if (run.width == 0) continue;
    const CPixelBuffer& from = source_of(run.source);
    for (int y = run.top; y < run.bottom; ++y) {
      const std::uint8_t* in = from.Row(run.source_top + y - run.top) + run.source_left * 3;
      std::uint8_t* out = to.Row(y) + run.left * 3;
      if (run.step == 1) {
        std::memcpy(out, in, static_cast<std::size_t>(run.width) * 3);
      } else {
        for (int i = 0; i < run.width; ++i, out += 3, in -= 3) out[0] = in[0], out[1] = in[1], out[2] = in[2];
      }
    }
  }
  Clear();
}

void CPendingCopies::Clear() {
  runs_.clear();
  dropped_ = 0;
  std::fill(last_on_row_.begin(), last_on_row_.end(), kNoRuns);
  std::fill(last_at_column_.begin(), last_at_column_.end(), kNoRuns);
}

}  // namespace saver
