#include <gtest/gtest.h>

#include "media/MediaItem.h"
#include "media/PlayMediaItem.h"
#include "support/PackageTestSupport.h"
#include "scene/ImageItem.h"
#include "scene/PathProperty.h"

namespace saver {
namespace {

// Bytes of what a layout writes under signature B at a legacy version.
template <typename Write>
std::size_t BytesWritten(float legacy, Write write) {
  CArchiveWriter writer;
  writer.Versions() = {legacy, legacy};
  write(writer);
  return writer.Bytes().size();
}

// Bytes of an item's own fields, behind its head.
std::size_t OwnBytes(const CSceneItem& item, float package, float legacy) {
  CArchiveWriter head;
  item.CSceneItem::Save(head);
  CArchiveWriter whole;
  whole.Versions() = {package, legacy};
  item.Save(whole);
  return whole.Bytes().size() - head.Bytes().size();
}

template <typename Read>
void ReadBack(const std::vector<std::uint8_t>& bytes, float legacy, Read read) {
  std::istringstream in(testing::AsString(bytes));
  CArchiveReader reader(in);
  reader.Versions() = {legacy, legacy};
  read(reader);
  EXPECT_EQ(reader.Remaining(), 0u);
}

struct LegacyCase {
  float legacy;
  std::size_t path_dwords;        // blocks 1 to 4 and layout P, each read when its condition holds
  std::size_t image_dwords;       // a picture without data
  std::size_t play_media_dwords;
  bool media_has_kind;
};

const LegacyCase kLegacyCases[] = {
    {1.0f, 20, 3, 4, false},  // block 1; image L == 1.0
    {1.05f, 0, 4, 4, false},  // no path block; image 1.01 <= L <= 2.1
    {1.5f, 26, 4, 4, false},  // block 2
    {2.05f, 53, 4, 4, true},  // blocks 2 and 3, one after the other
    {2.5f, 27, 4, 6, true},   // block 3; image L >= 2.11
    {3.1f, 28, 4, 6, true},   // block 4
    {4.5f, 24, 8, 6, true},   // layout P; image L >= 2.11, V > 4.01 and V > 4.21
};

TEST(LegacyLayouts, EachVersionWritesTheBlocksItsTablesSelect) {
  for (const LegacyCase& c : kLegacyCases) {
    SCOPED_TRACE(c.legacy);
    EXPECT_EQ(BytesWritten(c.legacy, [](CArchiveWriter& w) { CPathProperty().Save(w); }), 4 * c.path_dwords);
    EXPECT_EQ(OwnBytes(CImageItem(), c.legacy, c.legacy), 4 * c.image_dwords);
    EXPECT_EQ(OwnBytes(CPlayMediaItem(), c.legacy, c.legacy), 4 * c.play_media_dwords);
    CMediaItem media;
    media.data = {1, 2, 3, 4};
    // The byte count, an empty file name's length byte, the kind where present, the four bytes.
    EXPECT_EQ(OwnBytes(media, c.legacy, c.legacy), c.media_has_kind ? 13u : 9u);
  }
}

TEST(LegacyLayouts, CurrentLayoutsDependOnThePackageVersion) {
  const auto image_dwords = [](float version) { return OwnBytes(CImageItem(), version, 0.0f) / 4; };
  EXPECT_EQ(image_dwords(4.0f), 4u);   // signature A's block and the data size
  EXPECT_EQ(image_dwords(4.2f), 7u);   // and V > 4.11's sizes
  EXPECT_EQ(image_dwords(4.81f), 8u);  // and V > 4.21's keep aspect
}

TEST(LegacyLayouts, PathFieldsSurviveEveryLegacyLayout) {
  for (const LegacyCase& c : kLegacyCases) {
    SCOPED_TRACE(c.legacy);
    CPathProperty written;
    written.modes = {kModeRandom, kModeCentre, kModeStored, kModeCentre};
    written.start_x = 11;
    written.end_y = 44;
    written.typewriter = 1;
    written.save_background = 1;
    written.effect_number = 17;
    written.speed = 640;
    CArchiveWriter writer;
    writer.Versions() = {c.legacy, c.legacy};
    written.Save(writer);
    CPathProperty read;
    ReadBack(writer.Bytes(), c.legacy, [&](CArchiveReader& r) { read.Load(r); });
    const bool any_block = c.path_dwords != 0;
    const bool has_centre = c.legacy > 1.1f;
    EXPECT_EQ(read.start_x, any_block ? 11 : 0);
    EXPECT_EQ(read.end_y, any_block ? 44 : 0);
    EXPECT_EQ(read.typewriter, any_block ? 1 : 0);
    EXPECT_EQ(read.save_background, has_centre ? 1 : 0);  // field 15: not in block 1
    EXPECT_EQ(read.effect_number, c.legacy > 2.0f ? 17 : 0);
    EXPECT_EQ(read.speed, c.legacy > 2.9f ? 640 : 100);
    const std::array<std::int32_t, 4> expected_modes =
        !any_block ? std::array<std::int32_t, 4>{5, 5, 5, 5}
        : has_centre ? std::array<std::int32_t, 4>{3, 1, 5, 1}
                     : std::array<std::int32_t, 4>{3, 5, 5, 5};
    EXPECT_EQ(read.modes, expected_modes);
  }
}

TEST(LegacyLayouts, LegacyOnePathWithRandomStartYFlag) {
  CArchiveWriter raw;
  for (std::uint32_t flag : {0u, 1u, 0u, 0u}) raw.WriteDword(flag);
  for (int field = 0; field < 16; ++field) raw.WriteDword(static_cast<std::uint32_t>(field + 100));
  CPathProperty path;
  ReadBack(raw.Bytes(), 1.0f, [&](CArchiveReader& r) { path.Load(r); });
  EXPECT_EQ(path.modes, (std::array<std::int32_t, 4>{5, 3, 5, 5}));
  EXPECT_EQ(path.start_x, 100);        // field 2 follows the flags
  EXPECT_EQ(path.typewriter, 115);     // field 13 ends the block
  EXPECT_EQ(path.speed, 100);          // reset before reading, not in the block
}

TEST(LegacyLayouts, ImageSnapshotFlagUpToLegacy2_1) {
  for (std::uint32_t source : {CImageItem::kSourceData, CImageItem::kSourceDesktop}) {
    CImageItem written;
    written.source_mode = source;
    written.opaque = 0;
    CArchiveWriter writer;
    writer.Versions() = {1.5f, 1.5f};
    written.Save(writer);
    CImageItem read;
    read.source_mode = 3;
    ReadBack(writer.Bytes(), 1.5f, [&](CArchiveReader& r) { read.Load(r); });
    EXPECT_EQ(read.source_mode, source);
    EXPECT_EQ(read.opaque, 0u);
  }
}

TEST(LegacyLayouts, ImageBlocksAtLegacyFourAndAHalf) {
  CImageItem written;
  written.source_mode = CImageItem::kSourceWallpaper;
  written.explicit_width = 64;
  written.keep_aspect = 1;
  written.data = {5, 6};
  CArchiveWriter writer;
  writer.Versions() = {4.5f, 4.5f};
  written.Save(writer);
  CImageItem read;
  ReadBack(writer.Bytes(), 4.5f, [&](CArchiveReader& r) { read.Load(r); });
  EXPECT_EQ(read.source_mode, CImageItem::kSourceWallpaper);
  EXPECT_EQ(read.explicit_width, 64);
  EXPECT_EQ(read.keep_aspect, 1u);
  EXPECT_EQ(read.data, written.data);
}

TEST(LegacyLayouts, PlayMediaKeepsDefaultsOfFieldsItsLayoutLacks) {
  CPlayMediaItem written;
  written.Prop().repeat_count = 4;
  written.Prop().x = 12;
  written.Prop().width = 99;
  for (float legacy : {1.5f, 2.5f}) {
    SCOPED_TRACE(legacy);
    CArchiveWriter writer;
    writer.Versions() = {legacy, legacy};
    written.Save(writer);
    CPlayMediaItem read;
    ReadBack(writer.Bytes(), legacy, [&](CArchiveReader& r) { read.Load(r); });
    EXPECT_EQ(read.Prop().repeat_count, 4u);
    EXPECT_EQ(read.Prop().x, legacy >= 2.1f ? 12 : 0);
    EXPECT_EQ(read.Prop().width, 0);
    EXPECT_EQ(read.Prop().time_limit, 1000u);
  }
}

TEST(LegacyLayouts, MediaWithoutBytesCarriesNoNameOrKind) {
  CArchiveWriter writer;
  CMediaItem empty;
  empty.kind = kMediaFlash;
  empty.file_name = "never written";
  empty.Save(writer);
  CMediaItem read;
  ReadBack(writer.Bytes(), 0.0f, [&](CArchiveReader& r) { read.Load(r); });
  EXPECT_TRUE(read.file_name.empty());
  EXPECT_EQ(read.kind, kMediaWav);
}

TEST(LegacyLayouts, WholePackagesUnderSignatureBReadTheirLegacyFields) {
  for (const LegacyCase& c : kLegacyCases) {
    SCOPED_TRACE(c.legacy);
    CItemList items;
    auto& media = testing::AppendNew<CMediaItem>(items);
    media.data = {1, 2};
    media.kind = kMediaMidi;
    auto& play = testing::AppendNew<CPlayMediaItem>(items);
    play.Prop().wait = 1;
    LinkAction(media, play);
    testing::PackageFixture fixture;
    ASSERT_TRUE(fixture.Read(testing::WritePackageBytes(testing::HeaderB(c.legacy), items)));
    const auto& read_media = static_cast<const CMediaItem&>(fixture.registry.Items().At(0));
    EXPECT_EQ(read_media.kind, c.media_has_kind ? kMediaMidi : kMediaWav);
    EXPECT_EQ(static_cast<const CPlayMediaItem&>(fixture.registry.Items().At(1)).Prop().wait, 1u);
  }
}

}  // namespace
}  // namespace saver
