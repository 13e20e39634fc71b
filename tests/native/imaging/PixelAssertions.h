#pragma once
#include <cstdlib>
#include <gtest/gtest.h>

#include "imaging/PixelBuffer.h"

namespace saver::test {

// Equal sizes, and every channel of every pixel within `tolerance`. Names the first pixel
// that differs.
inline ::testing::AssertionResult PixelsNear(const CPixelBuffer& actual, const CPixelBuffer& expected, int tolerance) {
  if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
    return ::testing::AssertionFailure() << "size " << actual.Width() << "x" << actual.Height() << ", expected "
                                         << expected.Width() << "x" << expected.Height();
  for (int y = 0; y < actual.Height(); ++y)
    for (int x = 0; x < actual.Width() * 3; ++x) {
      int a = actual.Row(y)[x], e = expected.Row(y)[x];
      if (std::abs(a - e) > tolerance)
        return ::testing::AssertionFailure() << "pixel (" << x / 3 << ", " << y << ") channel " << x % 3 << " is " << a
                                             << ", expected " << e;
    }
  return ::testing::AssertionSuccess();
}

// The picture as a format with `bits` per channel keeps it: low bits dropped, then widened
// back to 8 bits by repeating the high bits.
inline CPixelBuffer Quantised(const CPixelBuffer& p, const int (&bits)[3]) {
  CPixelBuffer q = p;
  for (int y = 0; y < q.Height(); ++y)
    for (int x = 0; x < q.Width(); ++x)
      for (int c = 0; c < 3; ++c) {
        std::uint8_t& v = q.Row(y)[x * 3 + c];
        unsigned kept = v >> (8 - bits[c]);
        unsigned max = (1u << bits[c]) - 1;
        v = static_cast<std::uint8_t>(kept * 255 / max);
      }
  return q;
}

inline CPixelBuffer GreyFromRed(const CPixelBuffer& p) {
  CPixelBuffer g = p;
  for (int y = 0; y < g.Height(); ++y)
    for (int x = 0; x < g.Width(); ++x) {
      std::uint8_t* px = g.Row(y) + x * 3;
      px[1] = px[2] = px[0];
    }
  return g;
}

}  // namespace saver::test
