#include <gtest/gtest.h>

#include <thread>

#include "base/MsvcRand.h"

namespace saver {
namespace {

TEST(MsvcRand, SeedOneGivesTheRuntimesKnownSequence) {
  MsvcSrand(1);
  // The first draws of the Microsoft runtime after srand(1).
  const int expected[] = {41, 18467, 6334, 26500, 19169};
  for (int value : expected) EXPECT_EQ(MsvcRand(), value);
}

TEST(MsvcRand, EachThreadKeepsItsOwnState) {
  MsvcSrand(1);
  int other_first = -1;
  std::thread other([&] {
    MsvcSrand(1234);
    other_first = MsvcRand();
  });
  other.join();
  EXPECT_EQ(MsvcRand(), 41);
  MsvcSrand(1234);
  EXPECT_EQ(MsvcRand(), other_first);
}

}  // namespace
}  // namespace saver
