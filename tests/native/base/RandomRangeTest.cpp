#include <gtest/gtest.h>

#include <algorithm>

#include "base/MsvcRand.h"
#include "base/RandomRange.h"

namespace saver {
namespace {

TEST(RandomRange, RangesAndTheirBounds) {
  CRandomRange range(77);
  EXPECT_FALSE(range.SetRange(5, 5));
  EXPECT_FALSE(range.SetRange(9, 3));
  EXPECT_EQ(range.Max(), 32767);
  ASSERT_TRUE(range.SetRange(0, 500));
  int highest = 0;
  for (int i = 0; i < 20000; ++i) {
    const int value = range.Next();
    EXPECT_GE(value, 0);
    EXPECT_LE(value, 501);  // max + 1 when rand() gives 32767
    highest = std::max(highest, value);
  }
  EXPECT_GE(highest, 495);
  ASSERT_TRUE(range.SetRange(0, 0));
  EXPECT_EQ(range.Min(), 0);
  EXPECT_EQ(range.Max(), 32767);
}

TEST(RandomRange, SeedsTwiceSoEqualSeedsGiveEqualSequences) {
  CRandomRange a(12345);
  const int first = a.Next();
  const int second = a.Next();
  CRandomRange b(12345);
  EXPECT_EQ(b.Next(), first);
  EXPECT_EQ(b.Next(), second);
  // srand(1) then rand() = 41: the second seed is (1 << 8) | 41.
  CRandomRange one(1);
  const int from_one = one.Next();
  MsvcSrand(297);
  EXPECT_EQ(from_one, MsvcRand());
}

}  // namespace
}  // namespace saver
