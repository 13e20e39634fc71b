#include <gtest/gtest.h>

#include "ToolTestSupport.h"
#include "package/EngineLayout.h"
#include "package/Signatures.h"

namespace saver::tool::testing {
namespace {

struct LegacyCase {
  const char* label;
  Json header;                 // the layout the older authoring tool wrote
  const char* kept_signature;  // the reading the tool must keep
};

class OlderSaverFile : public ::testing::TestWithParam<LegacyCase> {};

TEST_P(OlderSaverFile, IsMovedOntoThisEngineWithTheSameItems) {
  const LegacyCase& legacy = GetParam();
  ScratchFolder folder;
  WriteBytes(folder / "logo.bmp", MakeBmp(5, 3));
  WriteBytes(folder / "tune.wav", MakeWav());
  const Bytes package = WithSignature(BuildPackage(folder, SmallShowScene(legacy.header)), "ElderShow");
  WriteBytes(folder / "old.scr", MakeOlderSaverFile(package, 1));
  WriteBytes(folder / "engine.scr", MakePaddedEngine());

  const ToolRun extract = RunSaverpkg({"extract", (folder / "old.scr").string(), "-o", (folder / "moved.pkg").string()});
  ASSERT_EQ(extract.exit_code, 0) << extract.err;
  EXPECT_NE(extract.out.find(std::string("read as signature ") + legacy.kept_signature), std::string::npos)
      << extract.out;
  const ToolRun make = RunSaverpkg({"make-scr", "--engine", (folder / "engine.scr").string(),
                                    (folder / "old.scr").string(), "-o", (folder / "new.scr").string()});
  ASSERT_EQ(make.exit_code, 0) << make.err;

  const Json old_info = InfoJson(folder / "old.scr");
  const Json moved_info = InfoJson(folder / "moved.pkg");
  const Json new_info = InfoJson(folder / "new.scr");
  EXPECT_EQ(old_info["container"], "older engine's saver file");
  EXPECT_EQ(old_info["offset"], kLegacyPackageOffset);
  EXPECT_EQ(old_info["found_signature"], "ElderShow");
  EXPECT_EQ(old_info["signature"], legacy.kept_signature);
  EXPECT_EQ(new_info["offset"], kPackageOffset);
  EXPECT_EQ(new_info["signature"], legacy.kept_signature);
  EXPECT_FALSE(new_info.contains("found_signature"));  // the moved package carries this engine's signature
  EXPECT_EQ(new_info["exit_button"], true);            // carried over from the old file's last byte
  ASSERT_EQ(old_info["items"].size(), 7u);
  EXPECT_EQ(moved_info["items"], old_info["items"]);
  EXPECT_EQ(new_info["items"], old_info["items"]);
  const std::string kept = legacy.kept_signature == std::string("A") ? SAVER_SIGNATURE_A : SAVER_SIGNATURE_B;
  EXPECT_EQ(ReadBytes(folder / "moved.pkg").size(), package.size() - std::string("ElderShow").size() + kept.size());
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, OlderSaverFile,
    ::testing::Values(LegacyCase{"newer_tool_layout", {{"signature", "A"}, {"version", 4.5}}, "A"},
                      LegacyCase{"legacy_2_5_layout", {{"signature", "B"}, {"version", 2.5}}, "B"},
                      LegacyCase{"legacy_3_5_layout", {{"signature", "B"}, {"version", 3.5}}, "B"}),
    [](const ::testing::TestParamInfo<LegacyCase>& info) { return std::string(info.param.label); });

TEST(OlderSaverFileReading, PackageBothSignaturesReadAlikeIsKeptAsA) {
  ScratchFolder folder;
  const Json scene = {{"signature", "B"}, {"version", 3.0}, {"items", {{{"kind", "delay"}, {"duration", 250}}}}};
  WriteBytes(folder / "old.scr", MakeOlderSaverFile(WithSignature(BuildPackage(folder, scene), "ElderShow"), 0));
  const Json info = InfoJson(folder / "old.scr");
  EXPECT_EQ(info["signature"], "A");
  EXPECT_EQ(info["exit_button"], false);
  EXPECT_NE(info["reading"].get<std::string>().find("also validates"), std::string::npos) << info["reading"];
  EXPECT_EQ(info["items"][0]["duration"], 250);
}

TEST(OlderSaverFileReading, PackageNeitherSignatureReadsFailsNamingBoth) {
  ScratchFolder folder;
  WriteBytes(folder / "logo.bmp", MakeBmp(5, 3));
  WriteBytes(folder / "tune.wav", MakeWav());
  Bytes package = WithSignature(BuildPackage(folder, SmallShowScene({{"signature", "B"}, {"version", 2.5}})), "ElderShow");
  package.resize(package.size() - 40);  // cut inside the last items
  WriteBytes(folder / "old.scr", MakeOlderSaverFile(package, 0));
  const ToolRun run = RunSaverpkg({"extract", (folder / "old.scr").string(), "-o", (folder / "moved.pkg").string()});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("old.scr"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("neither as signature A"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("nor as signature B"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(folder / "moved.pkg"));
}

}  // namespace
}  // namespace saver::tool::testing
