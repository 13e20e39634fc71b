#include "scene/MoveStepGeometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace saver {
namespace {

constexpr Size kPicture{40, 30};

int Area(const Rect& r) { return r.IsEmpty() ? 0 : r.Width() * r.Height(); }

TEST(MoveStepGeometryTest, RectanglesOfEachDirection) {
  struct Case {
    const char* name;
    Point to;  // from (100, 200)
    Point origin;
    Rect old_rect, new_rect;
    Rect corner_a, corner_b;
  };
  const Case cases[] = {
      {"right", {105, 200}, {100, 200}, {0, 0, 40, 30}, {5, 0, 45, 30}, {}, {}},
      {"left", {95, 200}, {95, 200}, {5, 0, 45, 30}, {0, 0, 40, 30}, {}, {}},
      {"down", {100, 204}, {100, 200}, {0, 0, 40, 30}, {0, 4, 40, 34}, {}, {}},
      {"up", {100, 196}, {100, 196}, {0, 4, 40, 34}, {0, 0, 40, 30}, {}, {}},
      // Down-right opens the bottom-left and the top-right corners.
      {"down-right", {103, 204}, {100, 200}, {0, 0, 40, 30}, {3, 4, 43, 34}, {0, 30, 3, 34}, {40, 0, 43, 4}},
      {"up-left", {97, 196}, {97, 196}, {3, 4, 43, 34}, {0, 0, 40, 30}, {0, 30, 3, 34}, {40, 0, 43, 4}},
      // Down-left opens the top-left and the bottom-right corners.
      {"down-left", {97, 204}, {97, 200}, {3, 0, 43, 30}, {0, 4, 40, 34}, {0, 0, 3, 4}, {40, 30, 43, 34}},
      {"up-right", {103, 196}, {100, 196}, {0, 4, 40, 34}, {3, 0, 43, 30}, {0, 0, 3, 4}, {40, 30, 43, 34}},
      {"still", {100, 200}, {100, 200}, {0, 0, 40, 30}, {0, 0, 40, 30}, {}, {}},
  };
  for (const Case& c : cases) {
    const MoveStepGeometry step = ComputeMoveStep({100, 200}, c.to, kPicture);
    ASSERT_TRUE(step.Overlaps()) << c.name;
    EXPECT_EQ(step.origin, c.origin) << c.name;
    EXPECT_EQ(step.old_rect, c.old_rect) << c.name;
    EXPECT_EQ(step.new_rect, c.new_rect) << c.name;
    EXPECT_EQ(step.uncovered_corners[0], c.corner_a) << c.name;
    EXPECT_EQ(step.uncovered_corners[1], c.corner_b) << c.name;
  }
}

// Whatever the direction, the two positions and the two open corners tile the union exactly.
TEST(MoveStepGeometryTest, PositionsAndOpenCornersCoverTheUnion) {
  for (int dx = -39; dx <= 39; dx += 3) {
    for (int dy = -29; dy <= 29; dy += 2) {
      const MoveStepGeometry step = ComputeMoveStep({500, 500}, {500 + dx, 500 + dy}, kPicture);
      ASSERT_TRUE(step.Overlaps());
      const Rect& u = step.union_rect;
      EXPECT_EQ(u, (Rect{0, 0, kPicture.width + std::abs(dx), kPicture.height + std::abs(dy)}));
      const int covered = Area(step.old_rect) + Area(step.new_rect) - Area(step.intersection) +
                          Area(step.uncovered_corners[0]) + Area(step.uncovered_corners[1]);
      EXPECT_EQ(covered, Area(u)) << dx << "," << dy;
      for (const Rect& corner : step.uncovered_corners) {
        EXPECT_TRUE(corner.Intersect(step.old_rect).IsEmpty()) << dx << "," << dy;
        EXPECT_TRUE(corner.Intersect(step.new_rect).IsEmpty()) << dx << "," << dy;
      }
    }
  }
}

TEST(MoveStepGeometryTest, StepsAsLongAsThePictureDoNotOverlap) {
  const Point far_points[] = {{140, 200}, {60, 200}, {100, 230}, {100, 170}, {INT_MAX, INT_MIN}};
  for (Point to : far_points) {
    EXPECT_FALSE(ComputeMoveStep({100, 200}, to, kPicture).Overlaps()) << to.x << "," << to.y;
  }
  EXPECT_FALSE(ComputeMoveStep({INT_MIN, 0}, {INT_MAX, 0}, kPicture).Overlaps());
  EXPECT_FALSE(ComputeMoveStep({0, 0}, {0, 0}, {0, 0}).Overlaps());
}

}  // namespace
}  // namespace saver
