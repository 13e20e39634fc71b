#include <gtest/gtest.h>

#include "desktop/LinkItem.h"
#include "scene/StringItem.h"
#include "EveryKindPackage.h"
#include "media/PlayMediaItem.h"
#include "support/PackageTestSupport.h"
#include "scene/LoopEndItem.h"
#include "scene/ShowImageItem.h"

namespace saver {
namespace {

using testing::AppendNew;
using testing::BuildEveryKind;
using testing::PackageFixture;
using testing::WritePackageBytes;

TEST(PackageRoundTrip, EveryKindReadsBackAsWritten) {
  CItemList items;
  BuildEveryKind(items);
  ASSERT_EQ(items.Size(), 15u);
  const std::vector<std::uint8_t> bytes = WritePackageBytes(testing::HeaderA(), items);
  PackageFixture fixture;
  ASSERT_TRUE(fixture.Read(bytes));
  ASSERT_TRUE(fixture.messages.shown.empty());
  const CItemList& read = fixture.registry.Items();
  ASSERT_EQ(read.Size(), items.Size());
  for (std::size_t i = 0; i < read.Size(); ++i) EXPECT_EQ(read.At(i).TypeId(), items.At(i).TypeId());

  // Writing what was read gives the same bytes: every field and link survived.
  EXPECT_EQ(WritePackageBytes(testing::HeaderA(), read), bytes);

  const auto& picture = static_cast<const CImageItem&>(read.At(0));
  EXPECT_EQ(picture.Name().Text(), "picture");
  EXPECT_EQ(picture.BuilderValue(), 42u);
  EXPECT_EQ(picture.source_mode, CImageItem::kSourceWallpaper);
  EXPECT_EQ(picture.keep_aspect, 1u);
  EXPECT_EQ(picture.file_name, "C:\\pictures\\sea.jpg");
  EXPECT_EQ(picture.data, (std::vector<std::uint8_t>{30, 20, 0xFF, 0x00, 0x7F}));
  EXPECT_EQ(picture.natural_width, 300);
  const auto& text = static_cast<const CImageItem&>(read.At(1));
  EXPECT_EQ(text.text, "Hello\r\nworld");
  EXPECT_EQ(text.text_format, 2u);
  EXPECT_EQ(text.font[0], 0xE0);
  EXPECT_EQ(text.font[28], 'A');
  const auto& show = static_cast<const CShowImageItem&>(read.At(2));
  EXPECT_EQ(show.Prop().path.modes, (std::array<std::int32_t, 4>{0, 1, 2, 4}));
  EXPECT_EQ(show.Prop().path.start_y, -12);
  EXPECT_EQ(show.Prop().path.speed, 900);
  EXPECT_EQ(show.Prop().colour.colour, 0x00010203u);
  EXPECT_EQ(read.At(4).IsDisabled(), 1u);
  const auto& play = static_cast<const CPlayMediaItem&>(read.At(11));
  EXPECT_EQ(play.Prop().time_limit, 7000u);
  EXPECT_EQ(play.Prop().x, -4);
  const auto& link = static_cast<const CLinkItem&>(read.At(14));
  EXPECT_EQ(link.link, "http://example.org/");
  EXPECT_EQ(link.trigger_key, 3);
  const auto& loop_end = static_cast<const CLoopEndItem&>(read.At(8));
  EXPECT_EQ(loop_end.Prop().jump_target, 8);
}

std::vector<std::uint8_t> Record(const CSceneItem& item, PackageVersions versions) {
  CArchiveWriter writer;
  writer.Versions() = versions;
  item.Save(writer);
  return writer.TakeBytes();
}

// Copy carries every field a layout stores: a copy of each kind writes its source's record in the
// current layout and in the legacy ones.
TEST(PackageRoundTrip, ACopyWritesTheRecordOfItsSourceInEveryLayout) {
  CItemList items;
  BuildEveryKind(items);
  const PackageVersions layouts[] = {{4.81f, 0.0f}, {4.05f, 0.0f}, {4.81f, 4.81f}, {3.1f, 3.1f},
                                     {2.11f, 2.11f}, {2.05f, 2.05f}, {1.0f, 1.0f}};
  for (std::size_t i = 0; i < items.Size(); ++i) {
    const CSceneItem& source = items.At(i);
    std::unique_ptr<CSceneItem> copy = source.Create();
    copy->Copy(source);
    copy->SetDisabled(source.IsDisabled());  // Copy leaves the disabled flag alone
    for (const PackageVersions& versions : layouts) {
      SCOPED_TRACE(::testing::Message() << "item " << i << ", package " << versions.package << ", legacy "
                                        << versions.legacy);
      EXPECT_EQ(Record(*copy, versions), Record(source, versions));
    }
  }
}

TEST(PackageRoundTrip, ScrambledFieldsAreStoredShifted) {
  CItemList items;
  AppendNew<CStringItem>(items).text = "abc";  // shift (3 mod 11) + 3 = 6
  const std::vector<std::uint8_t> bytes = WritePackageBytes(testing::HeaderA(), items);
  const std::string stored = testing::AsString(bytes);
  EXPECT_NE(stored.find(std::string("\x03") + char('a' - 6) + char('b' - 6) + char('c' - 6)), std::string::npos);
  EXPECT_EQ(stored.find("abc"), std::string::npos);
}

}  // namespace
}  // namespace saver
