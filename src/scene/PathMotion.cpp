// Compute and Step of CPathProperty: where a path's points lie for an object of a given size, and
// how its current position advances.
#include <cstdint>

#include "base/RandomRange.h"
#include "base/RandomSeed.h"
#include "scene/PathProperty.h"

namespace saver {
namespace {

// Sums, differences and products of the path's 32-bit fields wrap as 32-bit machine arithmetic
// does instead of overflowing: the positions a package asks for are never trusted.
std::int32_t Wrap(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

std::int32_t Add(std::int32_t a, std::int32_t b) { return Wrap(std::int64_t{a} + b); }
std::int32_t Subtract(std::int32_t a, std::int32_t b) { return Wrap(std::int64_t{a} - b); }
std::int32_t Multiply(std::int32_t a, std::int32_t b) { return Wrap(std::int64_t{a} * b); }
// Truncating toward zero; the one quotient that does not fit (INT32_MIN / -1) wraps too.
std::int32_t Divide(std::int32_t dividend, std::int32_t divisor) {
  return Wrap(std::int64_t{dividend} / divisor);
}

// A draw of mode 4 that never lands inside the screen gives up after this many attempts. Only an
// object a few pixels narrower than a screen far wider than the primary one gets near it.
constexpr int kMaxInsideAttempts = 1000000;

// One coordinate of an object `object` pixels wide (or high) on a screen `device` pixels wide whose
// primary metric is `primary`. `coordinate` is the stored value, which modes 4 and 5 start from.
std::int32_t ComputeCoordinate(std::int32_t mode, std::int32_t coordinate, int object, int device,
                               int primary, const CRandomRange& range) {
  const std::int64_t span = std::int64_t{primary} + object;  // the random modes' modulus
  switch (mode) {
    case kModeEdgeStart:
      return 0;
    case kModeCentre:
      return Subtract(device / 2, object / 2);
    case kModeEdgeEnd:
      return Subtract(device, object);
    case kModeRandom:
      if (span <= 0) return 0;
      return Wrap(range.Next() % span - object);
    case kModeRandomInside: {
      // No whole pixel lies strictly between 0 and device - object when the object is at most
      // one pixel narrower than the screen, and none is reachable when the draws cover no pixel
      // of that interval: the object then goes to the edge.
      const std::int64_t limit = std::int64_t{device} - object;
      if (limit <= 1 || span <= 0 || primary <= 1) return 0;
      std::int64_t value = coordinate;
      for (int attempt = 0; attempt < kMaxInsideAttempts; ++attempt) {
        value = (range.Next() + value) % span - object;
        if (0 < value && value < limit) return static_cast<std::int32_t>(value);
      }
      return 0;
    }
    default:
      return coordinate;
  }
}

// Points the step from `from` towards `to`; a step along an axis whose ends coincide keeps its sign.
void PointStep(std::int32_t from, std::int32_t to, std::int32_t& step) {
  if ((to < from && step > 0) || (from < to && step < 0)) step = Subtract(0, step);
}

bool Compare(std::int32_t value, std::int32_t limit, std::int32_t test) {
  switch (test) {
    case 0: return value > limit;
    case 1: return value < limit;
    case 2: return value == limit;
    case 3: return value != limit;
    default: return false;
  }
}

// A straight path ends on its end coordinate or once it has passed it in the step's direction.
bool PassedEnd(std::int32_t current, std::int32_t end, std::int32_t step) {
  return current == end || (step > 0 ? current > end : current < end);
}

}  // namespace

void CPathProperty::Compute(Size object, const ScreenMetrics& screen, const RandomSeedSources& sources) {
  const CRandomRange range(MixRandomSeed(seed, sources));
  const bool any_computed = modes[0] != kModeStored || modes[1] != kModeStored ||
                            modes[2] != kModeStored || modes[3] != kModeStored;
  if (free_movement == 0 && any_computed) {
    // The order matters: the random modes draw from one sequence.
    start_x = ComputeCoordinate(modes[0], start_x, object.width, screen.device.width,
                                screen.primary.width, range);
    start_y = ComputeCoordinate(modes[1], start_y, object.height, screen.device.height,
                                screen.primary.height, range);
    end_x = ComputeCoordinate(modes[2], end_x, object.width, screen.device.width,
                              screen.primary.width, range);
    end_y = ComputeCoordinate(modes[3], end_y, object.height, screen.device.height,
                              screen.primary.height, range);
  }
  horizontal = start_x != end_x;
  PointStep(start_x, end_x, step_x);
  PointStep(start_y, end_y, step_y);
  current_x = start_x;
  current_y = start_y;
}

bool CPathProperty::Step() {
  if (free_movement != 0) {
    current_x = Add(current_x, step_x);
    current_y = Add(current_y, step_y);
    const bool x_holds = Compare(current_x, limit_x, x_test);
    if (both_tests != 0) return x_holds && Compare(current_y, limit_y, y_test);
    return x_holds || Compare(current_y, limit_y, y_test);
  }
  if (horizontal != 0) {
    current_x = Add(current_x, step_x);
    // A loaded horizontal flag on a path whose x ends coincide has no line to follow.
    if (end_x == start_x) return true;
    current_y = Add(Divide(Multiply(Subtract(end_y, start_y), Subtract(current_x, end_x)),
                           Subtract(end_x, start_x)),
                    end_y);
    return PassedEnd(current_x, end_x, step_x);
  }
  current_y = Add(current_y, step_x);
  if (end_y == start_y) return true;
  current_x = Add(end_x, Divide(Multiply(Subtract(end_x, start_x), Subtract(current_y, end_y)),
                                Subtract(end_y, start_y)));
  return PassedEnd(current_y, end_y, step_x);
}

}  // namespace saver
