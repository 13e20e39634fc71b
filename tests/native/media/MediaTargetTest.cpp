#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "SwfFixture.h"
#include "media/MediaItem.h"
#include "media/MediaTarget.h"
#include "media/PlayMediaProperty.h"

namespace saver {
namespace {
using namespace testing_support;

std::unique_ptr<CMediaItem> Media(MediaKind kind, std::vector<std::uint8_t> data) {
  auto media = std::make_unique<CMediaItem>();
  media->kind = kind;
  media->data = std::move(data);
  return media;
}

// 550 x 400 pixels, stored as 11000 x 8000 twips.
std::vector<std::uint8_t> Movie550x400(const char* signature = "FWS") {
  return Movie(signature, SwfRect(15, 0, 11000, 0, 8000));
}

TEST(MediaTarget, RectanglesByKindAndPlacement) {
  const Size screen{800, 600};
  const struct {
    const char* what;
    MediaKind kind;
    std::vector<std::uint8_t> data;
    CPlayMediaProperty play;
    bool exit_button_flag;
    Rect expected;
  } cases[] = {
      {"movie size from the header, centred", kMediaFlash, Movie550x400(),
       [] { CPlayMediaProperty p; p.centre_horizontally = p.centre_vertically = 1; return p; }(), false,
       {125, 100, 675, 500}},
      {"own size at its position", kMediaFlash, Movie550x400(),
       [] { CPlayMediaProperty p; p.x = 10; p.y = 20; p.width = 100; p.height = 50; return p; }(), false,
       {10, 20, 110, 70}},
      {"centred horizontally only", kMediaFlash, Movie550x400(),
       [] { CPlayMediaProperty p; p.y = 7; p.width = 101; p.height = 50; p.centre_horizontally = 1; return p; }(),
       false, {350, 7, 451, 57}},
      {"one pixel wide: half width is at least 1", kMediaFlash, Movie550x400(),
       [] { CPlayMediaProperty p; p.width = 1; p.height = 1; p.centre_horizontally = p.centre_vertically = 1; return p; }(),
       false, {399, 299, 400, 300}},
      {"full screen", kMediaFlash, Movie550x400(),
       [] { CPlayMediaProperty p; p.full_screen = 1; p.x = 5; return p; }(), false, {0, 0, 800, 600}},
      {"full screen in a test run leaves the top strip", kMediaFlash, Movie550x400(),
       [] { CPlayMediaProperty p; p.full_screen = 1; return p; }(), true, {0, 20, 800, 620}},
      {"unreadable header: the whole screen", kMediaFlash, Movie550x400("ZWS"), CPlayMediaProperty{}, false,
       {0, 0, 800, 600}},
      {"video at its position", kMediaAvi, {1},
       [] { CPlayMediaProperty p; p.x = 30; p.y = 40; p.width = 3; p.height = 4; p.full_screen = 1; return p; }(),
       true, {30, 40, 33, 44}},
      {"sums beyond 32 bits are clamped", kMediaAvi, {1},
       [] { CPlayMediaProperty p; p.x = INT_MAX - 1; p.y = INT_MIN; p.width = 100; p.height = -100; return p; }(),
       false, {INT_MAX - 1, INT_MIN, INT_MAX, INT_MIN}},
  };
  for (const auto& c : cases) {
    CPlayMediaProperty play = c.play;
    EXPECT_EQ(MediaTargetRect(play, *Media(c.kind, c.data), screen, c.exit_button_flag), c.expected) << c.what;
  }
}

TEST(MediaTarget, MovieSizeFromTheHeaderIsKeptForLaterRuns) {
  CPlayMediaProperty play;
  MediaTargetRect(play, *Media(kMediaFlash, Movie550x400()), {800, 600}, false);
  EXPECT_EQ(play.width, 550);
  EXPECT_EQ(play.height, 400);

  CPlayMediaProperty unreadable;
  MediaTargetRect(unreadable, *Media(kMediaFlash, {'F', 'W', 'S'}), {800, 600}, false);
  EXPECT_EQ(unreadable.width, 0);
  EXPECT_EQ(unreadable.height, 0);

  CPlayMediaProperty video;
  MediaTargetRect(video, *Media(kMediaAvi, Movie550x400()), {800, 600}, false);
  EXPECT_EQ(video.width, 0) << "only Flash movies are sized from their bytes";
}

}  // namespace
}  // namespace saver
