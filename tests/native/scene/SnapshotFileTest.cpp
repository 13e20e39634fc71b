#include "scene/SnapshotFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace saver {
namespace {

TEST(Utf16FromUtf8Test, DecodesValidTextAndRefusesTheRest) {
  struct Case {
    std::string utf8;
    std::optional<std::u16string> utf16;
  };
  const Case cases[] = {
      {"", u""},
      {"C:\\Temp\\desktop.bmp", u"C:\\Temp\\desktop.bmp"},
      {"\xCE\xA9mega \xD1\x82\xD0\xB5\xD1\x81\xD1\x82", u"\u03A9mega \u0442\u0435\u0441\u0442"},
      {"\xE6\xBC\xA2\xE5\xAD\x97", u"\u6F22\u5B57"},
      {"\xF0\x9F\x98\x80", std::u16string{char16_t(0xD83D), char16_t(0xDE00)}},  // beyond the BMP
      {"\xC0\x80", std::nullopt},          // overlong
      {"\xE0\x80\xAF", std::nullopt},      // overlong
      {"\xED\xA0\x80", std::nullopt},      // a surrogate
      {"\xF4\x90\x80\x80", std::nullopt},  // above U+10FFFF
      {"\xE2\x82", std::nullopt},          // cut short
      {"a\x80", std::nullopt},             // a stray continuation byte
      {"\xE2(\xAC", std::nullopt},         // a continuation missing
      {"\xFF", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(Utf16FromUtf8(c.utf8), c.utf16) << c.utf8;
}

class SnapshotFileTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("snapshot-test-\xCE\xA9\xE6\xBC\xA2-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::filesystem::path path = folder_ / name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    EXPECT_NE(file, nullptr);
    if (file) {
      if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);  // data() may be null when empty
      std::fclose(file);
    }
    return path.string();
  }

  std::filesystem::path folder_;
};

TEST_F(SnapshotFileTest, ReadsAFileWhosePathLeavesTheAnsiCodePage) {
  std::vector<std::uint8_t> bytes(70000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 31 + 7);
  const std::string path = Write("desktop \xD1\x82\xD0\xB5\xD1\x81\xD1\x82.bmp", bytes);
  EXPECT_EQ(ReadSnapshotFile(path), bytes);
  EXPECT_EQ(ReadSnapshotFile(Write("empty.bmp", {})), std::vector<std::uint8_t>{});
}

TEST_F(SnapshotFileTest, MissingFilesAndBrokenPathsReadAsNothing) {
  EXPECT_EQ(ReadSnapshotFile((folder_ / "missing.bmp").string()), std::nullopt);
  EXPECT_EQ(ReadSnapshotFile(folder_.string()), std::nullopt);  // a folder
  EXPECT_EQ(ReadSnapshotFile(folder_.string() + "/\xC0\x80.bmp"), std::nullopt);
}

}  // namespace
}  // namespace saver
