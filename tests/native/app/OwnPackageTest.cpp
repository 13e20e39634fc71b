#include "app/OwnPackage.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/ItemRegistry.h"
#include "base/UserMessages.h"
#include "model/PackageItems.h"
#include "package/ArchiveWriter.h"
#include "package/EngineLayout.h"
#include "package/Signatures.h"
#include "media/MediaItem.h"
#include "scene/DelayItem.h"
#include "scene/FillScreenItem.h"
#include "support/CollectedMessages.h"

namespace saver {
namespace {

using saver::testing_support::CollectedMessages;

std::shared_ptr<const CByteSource> Source(const std::string& file) {
  return std::make_shared<COwnedSource>(std::vector<std::uint8_t>(file.begin(), file.end()));
}

// A saver file made in memory: an engine of zeros, a package of two items, a trailer.
std::string SaverFile(std::uint32_t reserved, char last_byte, std::size_t package_cut = 0,
                      std::vector<std::uint8_t> media_bytes = {}) {
  CItemList items;
  auto fill = std::make_unique<CFillScreenItem>();
  fill->Prop().colour = 0x00336699;
  items.Append(std::move(fill));
  auto delay = std::make_unique<CDelayItem>();
  delay->Prop().duration = 250;
  items.Append(std::move(delay));
  if (!media_bytes.empty()) {
    auto media = std::make_unique<CMediaItem>();
    media->data = std::move(media_bytes);
    items.Append(std::move(media));
  }
  CArchiveWriter archive;
  WritePackage(archive, {reserved, SAVER_SIGNATURE_A, 4.81f}, items);
  std::string file(kPackageOffset, '\0');
  file.append(archive.Bytes().begin(), archive.Bytes().end() - static_cast<std::ptrdiff_t>(package_cut));
  file += "trailer";
  file += last_byte;
  return file;
}

TEST(OwnPackageTest, ReadsFlagReservedAndItems) {
  for (char flag : {'\0', '\1', '\xff'}) {
    const std::string file = SaverFile(0xCAFE0001, flag);
    CollectedMessages messages;
    CItemRegistry registry(messages);
    OwnPackageHeader header;
    ASSERT_TRUE(ReadOwnPackage(Source(file), registry, header));
    EXPECT_EQ(header.exit_button_flag, static_cast<std::uint8_t>(flag));
    EXPECT_EQ(header.reserved, 0xCAFE0001u);
    ASSERT_EQ(registry.Items().Size(), 2u);
    EXPECT_EQ(registry.Items().At(0).TypeId(), kFillScreenItem);
    EXPECT_EQ(static_cast<CDelayItem&>(registry.Items().At(1)).Prop().duration, 250u);
  }
}

TEST(OwnPackageTest, DamagedOrMissingPackageFailsCleanly) {
  struct Case {
    const char* name;
    std::string file;
  };
  std::string bad_signature = SaverFile(0, 0);
  bad_signature[kPackageOffset + 5] ^= 0x20;  // a letter of the signature in the other case
  const Case cases[] = {
      {"empty file", ""},
      {"engine only", std::string(kPackageOffset, '\0')},
      {"shorter than the engine", std::string(1000, 'x')},
      {"package cut inside the items", SaverFile(0, 0, 20)},
      {"signature changed", bad_signature},
  };
  for (const Case& c : cases) {
    CollectedMessages messages;
    CItemRegistry registry(messages);
    OwnPackageHeader header;
    EXPECT_FALSE(ReadOwnPackage(Source(c.file), registry, header)) << c.name;
  }
}

// The media's bytes stay in the file, stored scrambled, and the file is kept while they are.
TEST(OwnPackageTest, EmbeddedBytesReferToTheFile) {
  const std::vector<std::uint8_t> sound = {'R', 'I', 'F', 'F', 0, 0xFF, 0x80, 7};
  const std::string file = SaverFile(0, 0, 0, sound);
  CollectedMessages messages;
  CItemRegistry registry(messages);
  OwnPackageHeader header;
  std::weak_ptr<const CByteSource> kept;
  {
    std::shared_ptr<const CByteSource> source = Source(file);
    kept = source;
    ASSERT_TRUE(ReadOwnPackage(std::move(source), registry, header));
  }
  ASSERT_EQ(registry.Items().Size(), 3u);
  const auto& media = static_cast<const CMediaItem&>(registry.Items().At(2));
  EXPECT_TRUE(media.data.IsScrambled());
  EXPECT_EQ(media.data.PlainCopy(), sound);
  EXPECT_FALSE(kept.expired());
  registry.Items().Clear();
  EXPECT_TRUE(kept.expired());
}

}  // namespace
}  // namespace saver
