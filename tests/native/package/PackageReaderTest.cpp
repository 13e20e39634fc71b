#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <mutex>
#include <thread>

#include "media/MediaItem.h"
#include "media/PlayMediaItem.h"
#include "scene/StringItem.h"
#include "support/PackageTestSupport.h"
#include "scene/DelayItem.h"
#include "scene/ImageItem.h"
#include "scene/ShowImageItem.h"

namespace saver {
namespace {

using testing::AppendNew;
using testing::HeaderA;
using testing::HeaderB;
using testing::PackageFixture;
using testing::WritePackageBytes;

std::vector<std::uint8_t> HeaderOnly(const std::string& signature, float version, std::uint32_t count = 0) {
  CArchiveWriter writer;
  writer.WriteDword(0);
  writer.WriteString(signature);
  writer.WriteFloat(version);
  writer.WriteDword(count);
  return writer.Bytes();
}

struct HeaderCase {
  const char* name;
  std::string signature;
  float version;
  bool reads;
  float legacy;
};

TEST(PackageHeader, SignatureAndVersionRules) {
  const HeaderCase cases[] = {
      {"A at 4.81", SAVER_SIGNATURE_A, 4.81f, true, 0.0f},
      {"A at 4.82", SAVER_SIGNATURE_A, 4.82f, false, 0.0f},
      {"B at 4.81", SAVER_SIGNATURE_B, 4.81f, true, 4.81f},
      {"B at 4.82", SAVER_SIGNATURE_B, 4.82f, false, 4.82f},
      {"B at 1.5", SAVER_SIGNATURE_B, 1.5f, true, 1.5f},
      {"A at 1.5", SAVER_SIGNATURE_A, 1.5f, true, 0.0f},
      {"A in other case", "orvanescene", 1.5f, false, 0.0f},
      {"unknown", "Something", 1.0f, false, 0.0f},
      {"NaN version", SAVER_SIGNATURE_A, std::numeric_limits<float>::quiet_NaN(), false, 0.0f},
  };
  for (const HeaderCase& c : cases) {
    SCOPED_TRACE(c.name);
    PackageFixture fixture;
    std::istringstream in(testing::AsString(HeaderOnly(c.signature, c.version)));
    CArchiveReader reader(in);
    reader.ReadDword();
    EXPECT_EQ(ReadPackage(reader, fixture.registry), c.reads);
    if (c.reads) {
      EXPECT_EQ(reader.Versions().package, c.version);
      EXPECT_EQ(reader.Versions().legacy, c.legacy);
    }
  }
}

TEST(PackageHeader, VersionsAreResetAtEveryRead) {
  PackageFixture fixture;
  std::istringstream b_package(testing::AsString(HeaderOnly(SAVER_SIGNATURE_B, 1.5f)));
  CArchiveReader reader_b(b_package);
  reader_b.ReadDword();
  ASSERT_TRUE(ReadPackage(reader_b, fixture.registry));
  reader_b.Versions().legacy = 3.0f;  // as if left over from an earlier read
  std::istringstream a_package(testing::AsString(HeaderOnly(SAVER_SIGNATURE_A, 2.0f)));
  CArchiveReader reader_a(a_package);
  reader_a.Versions() = {9.0f, 9.0f};
  reader_a.ReadDword();
  ASSERT_TRUE(ReadPackage(reader_a, fixture.registry));
  EXPECT_EQ(reader_a.Versions().legacy, 0.0f);
  EXPECT_EQ(reader_a.Versions().package, 2.0f);
}

TEST(PackageReader, EmptyPackageReadsToAnEmptyList) {
  PackageFixture fixture;
  CItemList none;
  EXPECT_TRUE(fixture.Read(WritePackageBytes(HeaderA(), none)));
  EXPECT_TRUE(fixture.registry.Items().Empty());
  EXPECT_EQ(fixture.reserved, 7u);
}

TEST(PackageReader, FileEndingInsideAnItemKeepsTheItemsBefore) {
  CItemList items;
  AppendNew<CDelayItem>(items).Prop().duration = 250;
  AppendNew<CStringItem>(items).text = "a string long enough to be cut";
  std::vector<std::uint8_t> bytes = WritePackageBytes(HeaderA(), items);
  bytes.resize(bytes.size() - 10);
  PackageFixture fixture;
  EXPECT_FALSE(fixture.Read(bytes));
  ASSERT_EQ(fixture.registry.Items().Size(), 1u);
  EXPECT_EQ(fixture.registry.Items().At(0).TypeId(), kDelayItem);
}

TEST(PackageReader, ResourceWithoutReferrersLoadsAndValidates) {
  CItemList items;
  AppendNew<CMediaItem>(items).data = {1, 2, 3};
  PackageFixture fixture;
  EXPECT_TRUE(fixture.Read(WritePackageBytes(HeaderA(), items)));
  const auto& media = static_cast<const CMediaItem&>(fixture.registry.Items().At(0));
  EXPECT_TRUE(media.Referrers().empty());
  EXPECT_EQ(media.data, (std::vector<std::uint8_t>{1, 2, 3}));
}

// A package of one delay item followed by one record of the given type id.
std::vector<std::uint8_t> PackageWithTypeId(std::uint32_t type_id) {
  CItemList items;
  AppendNew<CDelayItem>(items);
  CArchiveWriter writer;
  WritePackage(writer, HeaderA(), items);
  std::vector<std::uint8_t> bytes = writer.Bytes();
  bytes[4 + 1 + std::string(SAVER_SIGNATURE_A).size() + 4] = 2;  // item count
  CArchiveWriter record;
  record.WriteDword(type_id);
  CDelayItem().Save(record);
  bytes.insert(bytes.end(), record.Bytes().begin(), record.Bytes().end());
  return bytes;
}

TEST(PackageReader, TypeIdsOutsideTheTableFail) {
  for (std::uint32_t type_id : {14u, 100u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(type_id);
    PackageFixture fixture;
    EXPECT_FALSE(fixture.Read(PackageWithTypeId(type_id)));
    EXPECT_EQ(fixture.registry.Items().Size(), 1u);
  }
  PackageFixture fixture;
  EXPECT_TRUE(fixture.Read(PackageWithTypeId(kDelayItem)));
}

TEST(PackageReader, ReferrerIndexOutsideTheListFails) {
  CItemList items;
  AppendNew<CMediaItem>(items).data = {1};
  std::vector<std::uint8_t> bytes = WritePackageBytes(HeaderA(), items);
  // Replace the empty link group by one referrer at position 1 of a one-item list.
  bytes.resize(bytes.size() - 4);
  for (std::uint8_t b : {1, 0, 0, 0, 1, 0, 0, 0}) bytes.push_back(b);
  PackageFixture fixture;
  EXPECT_FALSE(fixture.Read(bytes));
  bytes[bytes.size() - 4] = 0;  // position 0: the media item itself, which ignores targets
  PackageFixture valid_index;
  EXPECT_TRUE(valid_index.Read(bytes));
}

TEST(PackageReader, LinkSectionSetsTargetsAndReferrers) {
  CItemList items;
  auto& image = AppendNew<CImageItem>(items);
  image.data = {20, 10};
  auto& media = AppendNew<CMediaItem>(items);
  media.data = {9};
  auto& show = AppendNew<CShowImageItem>(items);
  auto& play = AppendNew<CPlayMediaItem>(items);
  LinkAction(image, show);
  LinkAction(media, play);
  PackageFixture fixture;
  ASSERT_TRUE(fixture.Read(WritePackageBytes(HeaderA(), items)));
  const CItemList& read = fixture.registry.Items();
  const auto& read_image = static_cast<const CImageItem&>(read.At(0));
  const auto& read_show = static_cast<const CShowImageItem&>(read.At(2));
  const auto& read_play = static_cast<const CPlayMediaItem&>(read.At(3));
  ASSERT_EQ(read_image.Referrers().size(), 1u);
  EXPECT_EQ(&read_image.Referrers()[0].Item(), &read_show);
  EXPECT_EQ(read_show.Prop().TargetImage(), &read_image);
  EXPECT_EQ(read_play.Prop().TargetMedia(), &read.At(1));
  for (std::size_t i = 0; i < read.Size(); ++i) EXPECT_EQ(read.At(i).Index(), static_cast<int>(i));
  EXPECT_EQ(read_image.natural_width, 200);
}

TEST(PackageReader, ValidationStopsAtTheFirstFailure) {
  CItemList items;
  AppendNew<CStringItem>(items);
  AppendNew<CMediaItem>(items);  // no data
  AppendNew<CImageItem>(items);  // no data either, but never validated
  PackageFixture fixture;
  EXPECT_FALSE(fixture.Read(WritePackageBytes(HeaderA(), items)));
  EXPECT_EQ(fixture.messages.shown, std::vector<std::string>{"You have to choose the media."});
  EXPECT_EQ(fixture.registry.Items().Size(), 3u);
}

// Pictures are measured ahead on every core, but what validation shows stays as in a walk in
// item order that stops at the first failure.
TEST(PackageReader, PicturesMeasuredAheadShowTheirMessagesInItemOrderUpToTheFirstFailure) {
  const struct {
    const char* name;
    bool media_without_data_first;
    std::vector<std::vector<std::uint8_t>> pictures;
    bool reads;
    std::vector<std::string> picture_messages, messages;
  } cases[] = {
      {"all measure", false, {{3, 2}, {5, 1}, {1, 1}}, true, {}, {}},
      {"the first failure ends it", false, {{3, 2}, {0, 1, 1}, {0, 1, 2}, {4, 4}}, false, {"picture 1 failed"}, {}},
      {"an earlier item fails first", true, {{0, 1, 1}, {2, 2}}, false, {}, {"You have to choose the media."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CItemList items;
    if (c.media_without_data_first) AppendNew<CMediaItem>(items);
    for (const auto& picture : c.pictures) AppendNew<CImageItem>(items).data = picture;
    PackageFixture fixture;
    EXPECT_EQ(fixture.Read(WritePackageBytes(HeaderA(), items)), c.reads);
    EXPECT_EQ(fixture.measurer.PictureMessages(), c.picture_messages);
    EXPECT_EQ(fixture.messages.shown, c.messages);
    if (c.reads) {
      const auto& first = static_cast<const CImageItem&>(fixture.registry.Items().At(0));
      EXPECT_EQ(first.NaturalSize(), (Size{30, 20}));
    }
  }
}

// Each picture takes a while unless it fails; measuring ahead on three threads starts nothing
// after a failure once it is known, and its result is what a later ask for the bytes gets.
class SlowMeasurer final : public CImageMeasurer {
 public:
  SlowMeasurer() : CImageMeasurer(kept_) {}
  std::optional<Size> RenderText(CImageItem&) override { return std::nullopt; }
  std::vector<int> Started() {
    std::lock_guard lock(mutex_);
    return started_;
  }
  testing::CollectedMessages kept_;

 protected:
  std::optional<Size> Measure(std::span<const std::uint8_t> bytes, CMessageSink& messages) override {
    {
      std::lock_guard lock(mutex_);
      started_.push_back(bytes[0]);
    }
    messages.Show("picture " + std::to_string(bytes[0]));
    if (bytes[0] == 1) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return Size{bytes[0], 1};
  }

 private:
  std::mutex mutex_;
  std::vector<int> started_;
};

TEST(ImageMeasurer, MeasuringAheadStopsAfterAFailureAndKeepsEachPicturesMessages) {
  std::vector<CStoredBytes> pictures;
  for (std::uint8_t i = 0; i < 12; ++i) pictures.push_back({i});
  std::vector<const CStoredBytes*> ahead;
  for (const CStoredBytes& picture : pictures) ahead.push_back(&picture);
  SlowMeasurer measurer;
  measurer.MeasureAhead(ahead, 3);
  for (int started : measurer.Started()) EXPECT_LT(started, 6);
  EXPECT_TRUE(measurer.kept_.shown.empty());  // nothing shown before validation asks
  EXPECT_EQ(measurer.MeasurePicture(pictures[0]), (Size{0, 1}));
  EXPECT_EQ(measurer.MeasurePicture(pictures[1]), std::nullopt);
  EXPECT_EQ(measurer.kept_.shown, (std::vector<std::string>{"picture 0", "picture 1"}));
  // A picture not measured ahead is measured when asked.
  EXPECT_EQ(measurer.MeasurePicture(pictures[11]), (Size{11, 1}));
}

}  // namespace
}  // namespace saver
