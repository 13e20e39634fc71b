#include <gtest/gtest.h>

#include <algorithm>

#include "base/RandomSeed.h"
#include "desktop/LinkItem.h"
#include "media/MediaItem.h"
#include "media/PlayMediaItem.h"
#include "model/ColorProperty.h"
#include "scene/StringItem.h"
#include "support/PackageTestSupport.h"
#include "scene/DelayItem.h"
#include "scene/FillScreenItem.h"
#include "scene/LoopEndItem.h"
#include "scene/LoopStartItem.h"
#include "scene/ShowImageItem.h"

namespace saver {
namespace {

using testing::AppendNew;
using testing::CollectedMessages;

TEST(ItemRegistry, PrototypesAreIndexedByTypeIdAndCreateFreshDefaults) {
  CollectedMessages messages;
  CItemRegistry registry(messages);
  for (int type = 0; type < kItemTypeCount; ++type) {
    SCOPED_TRACE(type);
    const CSceneItem* prototype = registry.Prototype(type);
    ASSERT_NE(prototype, nullptr);
    EXPECT_EQ(prototype->TypeId(), type);
    std::unique_ptr<CSceneItem> item = prototype->Create();
    EXPECT_NE(item.get(), prototype);
    EXPECT_EQ(item->TypeId(), type);
    EXPECT_EQ(item->Index(), -1);
    EXPECT_EQ(item->IsDisabled(), 0u);
    EXPECT_EQ(item->BuilderValue(), 0u);
    EXPECT_TRUE(item->Name().Text().empty());
  }
  EXPECT_EQ(registry.Prototype(-1), nullptr);
  EXPECT_EQ(registry.Prototype(14), nullptr);
}

TEST(ItemRegistry, CreateNeverCopiesTheItItIsCalledOn) {
  CDelayItem changed;
  changed.Prop().duration = 900;
  changed.Prop().random_range = 5;
  changed.Name().SetText("changed");
  const std::unique_ptr<CSceneItem> created = changed.Create();
  const auto& delay = static_cast<const CDelayItem&>(*created);
  EXPECT_EQ(delay.Prop().duration, 0u);
  EXPECT_EQ(delay.Prop().random_range, 3001u);
  EXPECT_TRUE(delay.Name().Text().empty());
}

TEST(ItemDefaults, KindsStartWithTheirDocumentedValues) {
  const CImageItem image;
  EXPECT_EQ(image.opaque, 1u);
  EXPECT_EQ(image.background_colour, 0x00E0E0E0u);
  EXPECT_EQ(image.source_mode, CImageItem::kSourceData);
  EXPECT_EQ(static_cast<std::int8_t>(image.font[0]), -11);
  EXPECT_EQ(image.font[3], 0xFF);
  EXPECT_STREQ(reinterpret_cast<const char*>(&image.font[28]), "MS Sans Serif");
  const CPathProperty& path = image.placement;
  EXPECT_EQ(path.modes, (std::array<std::int32_t, 4>{5, 5, 5, 5}));
  EXPECT_EQ(path.step_x, 1);
  EXPECT_EQ(path.step_delay, 100000);
  EXPECT_EQ(path.typewriter_delay, 2000);
  EXPECT_EQ(path.speed, 100);
  EXPECT_EQ(path.horizontal, 1);
  const CColorProperty& colour = image.background;
  EXPECT_EQ(colour.second_colour, 0x00FFFFFFu);
  EXPECT_EQ(colour.fourth_value, 1u);
  const CLoopEndItem loop_end;
  EXPECT_EQ(loop_end.Prop().repeat_count, 1u);
  EXPECT_EQ(loop_end.Prop().jump_target, -1);
  const CLinkItem link;
  EXPECT_EQ(link.trigger_key, -1);
  EXPECT_EQ(link.link, "http://");
  const CPlayMediaItem play;
  EXPECT_EQ(play.Prop().repeat_count, 1u);
  EXPECT_EQ(play.Prop().time_limit, 1000u);
  EXPECT_EQ(play.Prop().TargetMedia(), nullptr);
}

TEST(ItemCopy, CopiesFieldsButNotTypeIndexOrDisabledFlag) {
  CDelayItem source;
  source.Name().SetText("wait");
  source.SetBuilderValue(5);
  source.SetDisabled(1);
  source.SetIndex(4);
  source.Prop().duration = 700;
  source.Prop().random = 1;
  source.Prop().random_range = 9;
  CDelayItem target;
  target.SetIndex(2);
  target.Copy(source);
  EXPECT_EQ(target.Name().Text(), "wait");
  EXPECT_EQ(target.BuilderValue(), 5u);
  EXPECT_EQ(target.Prop().duration, 700u);
  EXPECT_EQ(target.Prop().random, 1u);
  EXPECT_EQ(target.Prop().random_range, 3001u);  // not copied
  EXPECT_EQ(target.Index(), 2);
  EXPECT_EQ(target.IsDisabled(), 0u);
  CFillScreenItem other_kind;
  EXPECT_THROW(target.Copy(other_kind), std::invalid_argument);
}

TEST(ItemCopy, ImageDuplicatesItsDataAndActionsKeepTheirTarget) {
  CImageItem image;
  image.data = {1, 2, 3};
  image.natural_width = 40;
  CImageItem copy;
  copy.Copy(image);
  image.data = {9, 2, 3};
  EXPECT_EQ(copy.data.PlainCopy(), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(copy.natural_width, 40);
  CShowImageItem linked, fresh;
  linked.SetTarget(image);
  linked.Prop().path.speed = 5;
  fresh.Copy(linked);
  EXPECT_EQ(fresh.Prop().path.speed, 5);
  EXPECT_EQ(fresh.Prop().TargetImage(), nullptr);
}

RandomSeedSources FixedSources(std::uint32_t tick, std::uint32_t milliseconds, std::int32_t times) {
  return {[=] { return tick; }, [=] { return milliseconds; }, [=] { return times; }};
}

TEST(ColorProperty, WithoutRandomTheColourStays) {
  CColorProperty colour;
  colour.colour = 0x00112233;
  const std::uint32_t seed = colour.seed;
  for (int i = 0; i < 5; ++i) colour.Draw(RandomSeedSources::Portable());
  EXPECT_EQ(colour.colour, 0x00112233u);
  EXPECT_EQ(colour.seed, seed);
}

TEST(ColorProperty, RandomDrawsAdvanceTheSeedAndDependOnTheirSources) {
  CColorProperty first, second;
  first.random = second.random = 1;
  first.seed = second.seed = 1000;
  const RandomSeedSources sources = FixedSources(123456, 789, 250000);
  std::vector<std::uint32_t> colours;
  for (int i = 0; i < 4; ++i) {
    first.Draw(sources);
    second.Draw(sources);
    EXPECT_EQ(first.seed, 1000u + 100u * (i + 1));
    EXPECT_EQ(first.colour, second.colour);  // the same seed and sources give the same colour
    EXPECT_EQ(first.colour & 0xFF000000u, 0u);
    colours.push_back(first.colour);
  }
  std::sort(colours.begin(), colours.end());
  EXPECT_EQ(std::unique(colours.begin(), colours.end()), colours.end());
  CColorProperty other_times;
  other_times.random = 1;
  other_times.seed = 1000;
  other_times.Draw(FixedSources(123456, 789, 250001));
  CColorProperty reference;
  reference.random = 1;
  reference.seed = 1000;
  reference.Draw(sources);
  EXPECT_NE(other_times.colour, reference.colour);
}

TEST(ColorProperty, RasterOperationByMode) {
  const std::pair<std::uint32_t, std::uint32_t> cases[] = {
      {0, 0x00CC0020}, {1, 0x00EE0086}, {2, 0x008800C6}, {7, 0x008800C6}};
  for (const auto& [mode, rop] : cases) {
    CColorProperty colour;
    colour.raster_mode = mode;
    EXPECT_EQ(colour.RasterOperation(), rop) << mode;
  }
}

TEST(ColorProperty, CopyLeavesTheSeed) {
  CColorProperty source, target;
  source.colour = 5;
  source.second_colour = 6;
  source.fourth_value = 0;
  source.label.SetText("label");
  source.seed = 1;
  target.seed = 2;
  target.Copy(source);
  EXPECT_EQ(target.colour, 5u);
  EXPECT_EQ(target.second_colour, 6u);
  EXPECT_EQ(target.fourth_value, 0u);
  EXPECT_EQ(target.label.Text(), "label");
  EXPECT_EQ(target.seed, 2u);
}

class RecordingItem final : public CSceneItem {
 public:
  RecordingItem(int id, std::vector<int>& deleted) : CSceneItem(kStringItem), id_(id), deleted_(deleted) {}
  ~RecordingItem() override { deleted_.push_back(id_); }
  int Execute(CSceneRuntime&, int&) override { return 0; }
  std::unique_ptr<CSceneItem> Create() const override { return nullptr; }

 private:
  int id_;
  std::vector<int>& deleted_;
};

TEST(ItemList, DeletesFromTheLastToTheFirst) {
  std::vector<int> deleted;
  {
    CItemList items;
    for (int id = 0; id < 4; ++id) items.Append(std::make_unique<RecordingItem>(id, deleted));
  }
  EXPECT_EQ(deleted, (std::vector<int>{3, 2, 1, 0}));
}

TEST(ItemList, RegistryDeletesItsItems) {
  std::vector<int> deleted;
  {
    CollectedMessages messages;
    CItemRegistry registry(messages);
    registry.Items().Append(std::make_unique<RecordingItem>(1, deleted));
    registry.Items().Append(std::make_unique<RecordingItem>(2, deleted));
  }
  EXPECT_EQ(deleted, (std::vector<int>{2, 1}));
}

}  // namespace
}  // namespace saver
