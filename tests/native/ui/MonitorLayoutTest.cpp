#include "ui/MonitorLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace saver {
namespace {

struct LayoutCase {
  std::string name;
  std::vector<Rect> monitors;
  Rect show;
  std::vector<Rect> covers;
};

class CoverRectsTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(CoverRectsTest, EveryMonitorBesidesTheShowsGetsOneCover) {
  const LayoutCase& c = GetParam();
  EXPECT_EQ(CoverRects(c.monitors, c.show), c.covers);
}

const Rect kPrimary = Rect::FromSize(0, 0, 1920, 1080);

INSTANTIATE_TEST_SUITE_P(
    Layouts, CoverRectsTest,
    testing::Values(
        LayoutCase{"SingleMonitor", {kPrimary}, kPrimary, {}},
        LayoutCase{"SideBySide", {kPrimary, Rect::FromSize(1920, 0, 1280, 1024)}, kPrimary,
                   {Rect::FromSize(1920, 0, 1280, 1024)}},
        LayoutCase{"LeftOfPrimary", {Rect::FromSize(-1280, -200, 1280, 1024), kPrimary}, kPrimary,
                   {Rect::FromSize(-1280, -200, 1280, 1024)}},
        LayoutCase{"AboveAndRight",
                   {Rect::FromSize(0, -1080, 1920, 1080), kPrimary, Rect::FromSize(1920, 100, 1080, 1920)},
                   kPrimary,
                   {Rect::FromSize(0, -1080, 1920, 1080), Rect::FromSize(1920, 100, 1080, 1920)}},
        LayoutCase{"StackedAtTheSameOrigin", {kPrimary, kPrimary}, kPrimary, {}},
        LayoutCase{"SmallerMonitorInsideTheShow", {kPrimary, Rect::FromSize(0, 0, 800, 600)}, kPrimary, {}},
        LayoutCase{"LargerMonitorAtTheSameOrigin", {kPrimary, Rect::FromSize(0, 0, 2560, 1440)}, kPrimary,
                   {Rect::FromSize(0, 0, 2560, 1440)}},
        LayoutCase{"MirroredSecondMonitorOnce",
                   {kPrimary, Rect::FromSize(1920, 0, 800, 600), Rect::FromSize(1920, 0, 800, 600)}, kPrimary,
                   {Rect::FromSize(1920, 0, 800, 600)}},
        LayoutCase{"EmptyMonitorIgnored", {kPrimary, Rect{5, 5, 5, 900}}, kPrimary, {}},
        LayoutCase{"NoMonitorsReported", {}, kPrimary, {}}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

TEST(ToShowClientTest, PositionsOnEveryMonitorShareTheShowsOrigin) {
  struct Case {
    Point cover_client;
    Rect cover, show;
    Point expected;
  };
  const Case cases[] = {
      {{10, 20}, Rect::FromSize(1920, 0, 1280, 1024), kPrimary, {1930, 20}},
      {{10, 20}, Rect::FromSize(-1280, -200, 1280, 1024), kPrimary, {-1270, -180}},
      {{0, 0}, Rect::FromSize(-1280, 0, 1280, 1024), Rect::FromSize(-1280, 0, 1280, 1024), {0, 0}},
      {{5, 5}, Rect::FromSize(0, 0, 100, 100), Rect::FromSize(-3000, -4000, 100, 100), {3005, 4005}},
  };
  for (const Case& c : cases) {
    const Point p = ToShowClient(c.cover_client, c.cover, c.show);
    EXPECT_EQ(p, c.expected) << c.cover_client.x << "," << c.cover_client.y;
  }
}

TEST(ToShowClientTest, ExtremeCoordinatesDoNotOverflow) {
  const int big = 2147483000;
  const Point p = ToShowClient({big, -big}, Rect{big, -big, big, -big}, Rect{-big, big, -big, big});
  EXPECT_EQ(p, (Point{1 << 30, -(1 << 30)}));
}

}  // namespace
}  // namespace saver
