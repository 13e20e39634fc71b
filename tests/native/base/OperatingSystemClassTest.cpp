#include <gtest/gtest.h>

#include "base/OperatingSystemClass.h"

namespace saver {
namespace {

TEST(OperatingSystemClass, TableOfVersions) {
  const struct {
    const char* system;
    std::optional<SystemVersion> version;
    int expected;
  } cases[] = {
      {"Windows 95", SystemVersion{1, 4, 0}, 1},
      {"Windows 98", SystemVersion{1, 4, 10}, 2},
      {"Windows Me", SystemVersion{1, 4, 90}, 2},
      {"a later 95-family version", SystemVersion{1, 5, 0}, 2},
      {"an older 95-family version", SystemVersion{1, 3, 95}, 0},
      {"NT 3.51", SystemVersion{2, 3, 51}, 3},
      {"NT 4.0", SystemVersion{2, 4, 0}, 3},
      {"Windows 2000", SystemVersion{2, 5, 0}, 4},
      {"Windows XP", SystemVersion{2, 5, 1}, 4},
      {"Windows Vista", SystemVersion{2, 6, 0}, 0},
      {"Windows 10", SystemVersion{2, 10, 0}, 0},
      {"Win32s", SystemVersion{0, 3, 10}, 0},
      {"Windows CE", SystemVersion{3, 5, 0}, 0},
      {"failed query", std::nullopt, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ClassifyOperatingSystem(c.version), c.expected) << c.system;
  }
}

}  // namespace
}  // namespace saver
