#include <gtest/gtest.h>

#include "media/MediaItem.h"
#include "media/PlayMediaItem.h"
#include "media/StopMediaItem.h"
#include "scene/StringItem.h"
#include "support/PackageTestSupport.h"
#include "scene/HideImageItem.h"
#include "scene/LoopEndItem.h"
#include "scene/LoopStartItem.h"
#include "scene/ShowImageItem.h"

namespace saver {
namespace {

using testing::AppendNew;

// Items appended to the registry's list, numbered as the package reader numbers them.
struct ValidationFixture {
  testing::CollectedMessages messages;
  testing::FakeMeasurer measurer;
  CItemRegistry registry{messages, &measurer};

  template <typename Kind>
  Kind& Add() {
    Kind& item = AppendNew<Kind>(registry.Items());
    item.SetIndex(static_cast<std::int32_t>(registry.Items().Size() - 1));
    return item;
  }
  bool Validate(CSceneItem& item) { return item.Validate(registry.Context()); }
};

const std::string kNoImage = "You have to choose the image.";
const std::string kNoMedia = "You have to choose the media.";

TEST(ActionValidation, TargetMustBeOfTheRightKind) {
  ValidationFixture f;
  auto& image = f.Add<CImageItem>();
  auto& media = f.Add<CMediaItem>();
  auto& show = f.Add<CShowImageItem>();
  auto& play = f.Add<CPlayMediaItem>();
  auto& stop = f.Add<CStopMediaItem>();
  EXPECT_FALSE(f.Validate(show));
  EXPECT_FALSE(f.Validate(play));
  EXPECT_FALSE(f.Validate(stop));
  show.SetTarget(media);
  play.SetTarget(image);
  EXPECT_FALSE(f.Validate(show));
  EXPECT_FALSE(f.Validate(play));
  EXPECT_EQ(f.messages.shown, (std::vector<std::string>{kNoImage, kNoMedia, kNoMedia, kNoImage, kNoMedia}));
  show.SetTarget(image);
  play.SetTarget(media);
  stop.SetTarget(media);
  EXPECT_TRUE(f.Validate(show));
  EXPECT_TRUE(f.Validate(play));
  EXPECT_TRUE(f.Validate(stop));
}

TEST(ActionValidation, DisabledActionsPassWithoutTarget) {
  ValidationFixture f;
  auto& hide = f.Add<CHideImageItem>();
  hide.SetDisabled(1);
  EXPECT_TRUE(f.Validate(hide));
  EXPECT_TRUE(f.messages.shown.empty());
}

TEST(ResourceValidation, DisabledResourceIsCheckedOnlyForAnEnabledReferrer) {
  ValidationFixture f;
  auto& media = f.Add<CMediaItem>();
  media.SetDisabled(1);
  EXPECT_TRUE(f.Validate(media));
  auto& disabled_play = f.Add<CPlayMediaItem>();
  disabled_play.SetDisabled(1);
  LinkAction(media, disabled_play);
  EXPECT_TRUE(f.Validate(media));
  EXPECT_TRUE(f.messages.shown.empty());
  auto& enabled_stop = f.Add<CStopMediaItem>();
  LinkAction(media, enabled_stop);
  EXPECT_FALSE(f.Validate(media));
  EXPECT_EQ(f.messages.shown, std::vector<std::string>{kNoMedia});
}

TEST(ImageValidation, PictureIsMeasuredAndMissingDataIsReported) {
  ValidationFixture f;
  auto& image = f.Add<CImageItem>();
  image.shown = 1;
  EXPECT_FALSE(f.Validate(image));
  EXPECT_EQ(f.messages.shown, std::vector<std::string>{kNoImage});
  image.data = {64, 48};
  EXPECT_TRUE(f.Validate(image));
  EXPECT_EQ(image.natural_width, 640);
  EXPECT_EQ(image.natural_height, 480);
  EXPECT_EQ(image.shown, 0u);
  image.data = {1};  // the fake decoder refuses it, silently as a decoder with its own messages
  EXPECT_FALSE(f.Validate(image));
  EXPECT_EQ(f.messages.shown.size(), 1u);
}

TEST(ImageValidation, TextIsRenderedOrReportedWithItsText) {
  ValidationFixture f;
  auto& text = f.Add<CImageItem>();
  text.kind = CImageItem::kKindText;
  text.text = "Hi there";
  EXPECT_TRUE(f.Validate(text));
  EXPECT_EQ(text.natural_width, 64);
  text.text = "unrenderable";
  EXPECT_FALSE(f.Validate(text));
  EXPECT_EQ(f.messages.shown, std::vector<std::string>{"unrenderable\ntext bitmap cannot be made."});
}

TEST(ImageValidation, WithoutAMeasuringStepPicturesFail) {
  testing::CollectedMessages messages;
  CItemRegistry registry(messages);
  auto& image = AppendNew<CImageItem>(registry.Items());
  image.data = {1, 2};
  EXPECT_FALSE(image.Validate(registry.Context()));
}

TEST(LoopValidation, LoopEndsFindTheirMatchingStartsAcrossNesting) {
  ValidationFixture f;
  f.Add<CLoopStartItem>();                  // 0
  f.Add<CStringItem>();                     // 1
  f.Add<CLoopStartItem>().SetDisabled(1);   // 2: disabled flags are not considered
  auto& inner = f.Add<CLoopEndItem>();      // 3
  auto& outer = f.Add<CLoopEndItem>();      // 4
  inner.Prop().passes = 2;
  EXPECT_TRUE(f.Validate(inner));
  EXPECT_TRUE(f.Validate(outer));
  EXPECT_EQ(inner.Prop().jump_target, 3);
  EXPECT_EQ(outer.Prop().jump_target, 1);
  EXPECT_EQ(inner.Prop().passes, 0u);
}

TEST(LoopValidation, LoopEndWithoutStartFails) {
  ValidationFixture f;
  f.Add<CLoopStartItem>();
  f.Add<CLoopEndItem>();
  auto& unmatched = f.Add<CLoopEndItem>();
  EXPECT_FALSE(f.Validate(unmatched));
  unmatched.SetDisabled(1);
  EXPECT_TRUE(f.Validate(unmatched));
  CLoopEndItem unnumbered;
  EXPECT_FALSE(unnumbered.Validate(f.registry.Context()));
}

}  // namespace
}  // namespace saver
