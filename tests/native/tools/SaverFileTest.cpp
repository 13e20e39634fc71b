#include <gtest/gtest.h>

#include "ToolTestSupport.h"
#include "package/EngineLayout.h"

namespace saver::tool::testing {
namespace {

Json SmallScene(bool exit_button) {
  return {{"exit_button", exit_button},
          {"items", {{{"kind", "fill"}, {"colour", {{"value", "#336699"}}}}, {{"kind", "delay"}, {"duration", 100}}}}};
}

struct ExitButtonCase {
  const char* label;
  bool scene_flag;
  std::vector<std::string> switches;
  std::uint8_t last_byte;
};

class MakeScrExitButton : public ::testing::TestWithParam<ExitButtonCase> {};

TEST_P(MakeScrExitButton, LastByteCarriesTheFlag) {
  const ExitButtonCase& flag = GetParam();
  ScratchFolder folder;
  WriteBytes(folder / "engine.scr", MakePaddedEngine());
  WriteJson(folder / "scene.json", SmallScene(flag.scene_flag));
  std::vector<std::string> words = {"make-scr", "--engine", (folder / "engine.scr").string(),
                                    (folder / "scene.json").string(), "-o", (folder / "show.scr").string()};
  words.insert(words.end(), flag.switches.begin(), flag.switches.end());
  const ToolRun run = RunSaverpkg(words);
  ASSERT_EQ(run.exit_code, 0) << run.err;

  const Bytes engine = MakePaddedEngine();
  const Bytes saver = ReadBytes(folder / "show.scr");
  const ToolRun build = RunSaverpkg({"build", (folder / "scene.json").string(), "-o", (folder / "show.pkg").string()});
  ASSERT_EQ(build.exit_code, 0) << build.err;
  const Bytes package = ReadBytes(folder / "show.pkg");
  ASSERT_EQ(saver.size(), engine.size() + package.size() + 1);
  EXPECT_TRUE(std::equal(engine.begin(), engine.end(), saver.begin()));
  EXPECT_TRUE(std::equal(package.begin(), package.end(), saver.begin() + kPackageOffset));
  EXPECT_EQ(saver.back(), flag.last_byte);
  const Json info = InfoJson(folder / "show.scr");
  EXPECT_EQ(info["exit_button"], flag.last_byte != 0);
  EXPECT_EQ(info["container"], "saver file");
  EXPECT_EQ(info["items"].size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, MakeScrExitButton,
    ::testing::Values(ExitButtonCase{"default_off", false, {}, 0},
                      ExitButtonCase{"switch_on", false, {"--exit-button"}, 1},
                      ExitButtonCase{"scene_on", true, {}, 1},
                      ExitButtonCase{"scene_on_switched_off", true, {"--no-exit-button"}, 0}),
    [](const ::testing::TestParamInfo<ExitButtonCase>& info) { return std::string(info.param.label); });

TEST(MakeScr, SaverFileOfThisEngineExtractsToTheSamePackage) {
  ScratchFolder folder;
  WriteBytes(folder / "engine.scr", MakePaddedEngine());
  WriteJson(folder / "scene.json", SmallScene(false));
  ASSERT_EQ(RunSaverpkg({"build", (folder / "scene.json").string(), "-o", (folder / "show.pkg").string()}).exit_code, 0);
  ASSERT_EQ(RunSaverpkg({"make-scr", "--engine", (folder / "engine.scr").string(), (folder / "show.pkg").string(), "-o",
                         (folder / "show.scr").string(), "--exit-button"})
                .exit_code,
            0);
  const ToolRun extract = RunSaverpkg({"extract", (folder / "show.scr").string(), "-o", (folder / "back.pkg").string()});
  ASSERT_EQ(extract.exit_code, 0) << extract.err;
  EXPECT_EQ(ReadBytes(folder / "back.pkg"), ReadBytes(folder / "show.pkg"));
}

// Engines the tool must refuse, each made from a good one by one change.
struct EngineCase {
  const char* label;
  void (*spoil)(Bytes& engine);
  const char* reason;
};

class MakeScrEngine : public ::testing::TestWithParam<EngineCase> {};

TEST_P(MakeScrEngine, IsRefusedWhenNotAPaddedEngine) {
  const EngineCase& bad = GetParam();
  ScratchFolder folder;
  Bytes engine = MakePaddedEngine();
  bad.spoil(engine);
  WriteBytes(folder / "engine.scr", engine);
  WriteJson(folder / "scene.json", SmallScene(false));
  const ToolRun run = RunSaverpkg({"make-scr", "--engine", (folder / "engine.scr").string(),
                                   (folder / "scene.json").string(), "-o", (folder / "show.scr").string()});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find((folder / "engine.scr").string() + ": not a padded engine"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(bad.reason), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(folder / "show.scr"));
}

INSTANTIATE_TEST_SUITE_P(
    Spoilt, MakeScrEngine,
    ::testing::Values(
        EngineCase{"one_byte_short", [](Bytes& e) { e.pop_back(); }, "a padded engine is exactly 2097152 bytes"},
        EngineCase{"already_a_saver_file", [](Bytes& e) { e.insert(e.end(), 20, 1); }, "bytes"},
        EngineCase{"no_mz_header", [](Bytes& e) { e[0] = 'X'; }, "no MZ header"},
        EngineCase{"no_pe_header", [](Bytes& e) { e[0x80] = 'X'; }, "no PE header"},
        EngineCase{"pe_offset_outside", [](Bytes& e) { e[0x3F] = 0x7F; }, "no PE header"},
        EngineCase{"other_machine", [](Bytes& e) { e[0x84] = 0xC4; e[0x85] = 0x01; }, "not an i386 or x86-64"},
        EngineCase{"data_in_the_padding", [](Bytes& e) { e[kPackageOffset - 10] = 7; }, "data after the engine image"},
        EngineCase{"section_past_the_end", [](Bytes& e) { e[0x80 + 24 + 0xE0 + 19] = 0x7F; }, "past the package offset"}),
    [](const ::testing::TestParamInfo<EngineCase>& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace saver::tool::testing
