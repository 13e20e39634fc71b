#include "ui/MonitorLayout.h"

#include <algorithm>

namespace saver {

std::vector<Rect> CoverRects(const std::vector<Rect>& monitors, const Rect& show) {
  std::vector<Rect> covers;
  for (const Rect& monitor : monitors) {
    if (monitor.IsEmpty() || monitor.Intersect(show) == monitor) continue;
    if (std::find(covers.begin(), covers.end(), monitor) == covers.end()) covers.push_back(monitor);
  }
  return covers;
}

Point ToShowClient(Point cover_client, const Rect& cover, const Rect& show) {
  // In 64 bits: a virtual screen spans at most a few tens of thousands of pixels, but a message may
  // carry any 16-bit position.
  const long long x = static_cast<long long>(cover_client.x) + cover.left - show.left;
  const long long y = static_cast<long long>(cover_client.y) + cover.top - show.top;
  const auto clamp = [](long long v) { return static_cast<int>(std::clamp<long long>(v, -(1LL << 30), 1LL << 30)); };
  return {clamp(x), clamp(y)};
}

}  // namespace saver
