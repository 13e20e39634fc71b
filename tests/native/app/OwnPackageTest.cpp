#include "app/OwnPackage.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "app/ItemRegistry.h"
#include "base/UserMessages.h"
#include "model/PackageItems.h"
#include "package/ArchiveWriter.h"
#include "package/EngineLayout.h"
#include "package/Signatures.h"
#include "scene/DelayItem.h"
#include "scene/FillScreenItem.h"
#include "support/CollectedMessages.h"

namespace saver {
namespace {

using saver::testing_support::CollectedMessages;

const std::uint8_t* Bytes(const std::string& file) { return reinterpret_cast<const std::uint8_t*>(file.data()); }

// A saver file made in memory: an engine of zeros, a package of two items, a trailer.
std::string SaverFile(std::uint32_t reserved, char last_byte, std::size_t package_cut = 0) {
  CItemList items;
  auto fill = std::make_unique<CFillScreenItem>();
  fill->Prop().colour = 0x00336699;
  items.Append(std::move(fill));
  auto delay = std::make_unique<CDelayItem>();
  delay->Prop().duration = 250;
  items.Append(std::move(delay));
  ArchiveWriter archive;
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
    ASSERT_TRUE(ReadOwnPackage(Bytes(file), file.size(), registry, header));
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
    EXPECT_FALSE(ReadOwnPackage(Bytes(c.file), c.file.size(), registry, header)) << c.name;
  }
}

}  // namespace
}  // namespace saver
