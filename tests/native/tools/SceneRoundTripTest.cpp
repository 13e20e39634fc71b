#include <gtest/gtest.h>

#include "ToolTestSupport.h"

namespace saver::tool::testing {
namespace {

// Every member of `expected` is in `actual` with the same value (objects compared member-wise).
void ExpectSubset(const Json& expected, const Json& actual, const std::string& where) {
  if (!expected.is_object()) {
    EXPECT_EQ(actual, expected) << where;
    return;
  }
  for (const auto& [key, value] : expected.items()) {
    ASSERT_TRUE(actual.contains(key)) << where << "." << key << " missing";
    ExpectSubset(value, actual[key], where + "." + key);
  }
}

struct LayoutCase {
  const char* label;
  Json header;  // signature and version of the layout
  FieldsByKind not_carried;  // left out of the scene
};

class SceneRoundTrip : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(SceneRoundTrip, InfoGivesBackEveryFieldOfEveryKind) {
  const LayoutCase& layout = GetParam();
  ScratchFolder folder;
  WriteBytes(folder / "logo.bmp", MakeBmp(6, 4));
  WriteBytes(folder / "tune.wav", MakeWav());
  const Json items = EveryKindItemsWithout(layout.not_carried);
  Json scene = layout.header;
  scene["items"] = items;
  WriteJson(folder / "scene.json", scene);

  const ToolRun build = RunSaverpkg({"build", (folder / "scene.json").string(), "-o", (folder / "show.pkg").string()});
  ASSERT_EQ(build.exit_code, 0) << build.err;
  const Json info = InfoJson(folder / "show.pkg");
  ASSERT_TRUE(info.contains("items"));
  ASSERT_EQ(info["items"].size(), items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    ExpectSubset(items[i], info["items"][i], "items[" + std::to_string(i) + "]");
  }
  EXPECT_EQ(info["signature"], layout.header.value("signature", "A"));
  EXPECT_EQ(info["version"], layout.header.value("version", 4.81));
  EXPECT_EQ(info["items"][10]["data_size"], MakeWav().size());
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, SceneRoundTrip,
    ::testing::Values(
        LayoutCase{"current", Json::object(), {}},
        LayoutCase{"signature_b_4_81", {{"signature", "B"}, {"version", 4.81}}, kNotCarriedUnderB481},
        LayoutCase{"signature_a_4_1", {{"signature", "A"}, {"version", 4.1}}, kNotCarriedUnderA41}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.label); });

TEST(SceneInfoText, NamesEveryItemWithItsFields) {
  ScratchFolder folder;
  WriteBytes(folder / "logo.bmp", MakeBmp(6, 4));
  WriteBytes(folder / "tune.wav", MakeWav());
  WriteJson(folder / "scene.json", {{"items", EveryKindItems()}});
  const ToolRun info = RunSaverpkg({"info", (folder / "scene.json").string()});
  ASSERT_EQ(info.exit_code, 0) << info.err;
  const Json items = EveryKindItems();
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::string line = "  [" + std::to_string(i) + "] " + items[i]["kind"].get<std::string>() + "\n";
    EXPECT_NE(info.out.find(line), std::string::npos) << line;
  }
  EXPECT_NE(info.out.find("url: \"http://example.com/a?b=c\""), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("target: \"tune\""), std::string::npos) << info.out;
}

}  // namespace
}  // namespace saver::tool::testing
