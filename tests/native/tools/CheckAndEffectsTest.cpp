#include <gtest/gtest.h>

#include "ToolTestSupport.h"

namespace saver::tool::testing {
namespace {

Json ShowWithEffect(const Json& effect) {
  return {{"items",
           {{{"kind", "picture"}, {"name", "p"}, {"file", "logo.bmp"}},
            {{"kind", "show_image"}, {"target", "p"}, {"path", {{"effect", effect}}}}}}};
}

struct EffectName {
  const char* name;
  int number;
};

class EffectByName : public ::testing::TestWithParam<EffectName> {};

TEST_P(EffectByName, BuildsTheSamePackageAsTheNumber) {
  ScratchFolder folder;
  WriteBytes(folder / "logo.bmp", MakeBmp(4, 4));
  const Bytes by_name = BuildPackage(folder, ShowWithEffect(GetParam().name));
  const Bytes by_number = BuildPackage(folder, ShowWithEffect(GetParam().number));
  EXPECT_EQ(by_name, by_number);
  EXPECT_EQ(InfoJson(folder / "fixture.pkg")["items"][1]["path"]["effect"], GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(Names, EffectByName,
                         ::testing::Values(EffectName{"own_size", 0}, EffectName{"random_transition", 3},
                                           EffectName{"fade in from black", 4}, EffectName{"colour morph", 66},
                                           EffectName{"roll from the top and bottom", 87}));

TEST(HelpOption, PrintsTheUsageOfTheToolOrOfOneCommand) {
  const struct {
    std::vector<std::string> words;
    const char* usage;
  } cases[] = {
      {{"--help"}, "usage:\n  saverpkg build SCENE.json -o SHOW.pkg"},
      {{"slideshow", "--help"}, "usage: saverpkg slideshow PHOTO_OR_FOLDER... -o SHOW.scr"},
      {{"check", "-h"}, "usage: saverpkg check"},
  };
  for (const auto& c : cases) {
    const ToolRun run = RunSaverpkg(c.words);
    EXPECT_EQ(run.exit_code, 0) << c.usage;
    EXPECT_EQ(run.out.rfind(c.usage, 0), 0u) << run.out;
    EXPECT_EQ(run.err, "");
  }
}

TEST(EffectsCommand, ListsEveryNumberWithTheNameBuildAccepts) {
  const ToolRun run = RunSaverpkg({"effects"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("0  own_size\n"), std::string::npos);
  EXPECT_NE(run.out.find("\n21  slide in from the top\n"), std::string::npos);
  EXPECT_NE(run.out.find("\n87  roll from the top and bottom\n"), std::string::npos);
}

// A scene, the package built from it and the saver file made of it all pass the check, which
// names what the input is.
TEST(CheckCommand, PassesEveryFormOfAValidShow) {
  ScratchFolder folder;
  WriteBytes(folder / "logo.bmp", MakeBmp(4, 4));
  WriteBytes(folder / "engine.scr", MakePaddedEngine());
  WriteJson(folder / "scene.json", ShowWithEffect("slide in from the left"));
  const std::string scene = (folder / "scene.json").string();
  const std::string package = (folder / "show.pkg").string();
  const std::string saver = (folder / "show.scr").string();
  ASSERT_EQ(RunSaverpkg({"build", scene, "-o", package}).exit_code, 0);
  ASSERT_EQ(RunSaverpkg({"make-scr", "--engine", (folder / "engine.scr").string(), package, "-o", saver,
                         "--exit-button"}).exit_code, 0);

  struct Expected {
    std::string file;
    std::string summary;
  };
  for (const Expected& expected : {Expected{scene, ": ok: scene description, 2 items"},
                                   Expected{package, ": ok: package, 2 items"},
                                   Expected{saver, ": ok: saver file, 2 items"}}) {
    const ToolRun run = RunSaverpkg({"check", expected.file});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out.rfind(expected.file + expected.summary, 0), 0u) << run.out;
    EXPECT_EQ(run.out.find("\"Exit\" button") != std::string::npos, expected.file == saver) << run.out;
  }
}

}  // namespace
}  // namespace saver::tool::testing
