#include <gtest/gtest.h>

#include "ToolTestSupport.h"

namespace saver::tool::testing {
namespace {

// A show with every kind of item, each field away from its default where the kind has one.
Json EveryKindItems() {
  const Json path = {{"start", {{"x", 12}, {"y", -7}, {"x_mode", "centre"}, {"y_mode", "value"}}},
                     {"end", {{"x", 300}, {"y", 40}, {"x_mode", "value"}, {"y_mode", "random"}}},
                     {"step", {{"x", 5}, {"y", -2}}},
                     {"horizontal", false},
                     {"free_movement", true},
                     {"limit", {{"x", 500}, {"y", 9}}},
                     {"x_test", "less"},
                     {"y_test", "not_equal"},
                     {"both_tests", true},
                     {"step_delay", 90000},
                     {"typewriter", true},
                     {"typewriter_delay", 1950},
                     {"screen_copy_background", true},
                     {"save_background", true},
                     {"effect", 42},
                     {"speed", 700}};
  const Json colour = {{"value", "#12AB7F"}, {"raster", "or"}, {"random", true}, {"use_window_colour", false}};
  return Json::array({
      {{"kind", "picture"}, {"name", "logo"}, {"builder", 77}, {"file", "logo.bmp"}, {"source", "wallpaper"},
       {"width", 40}, {"height", 30}, {"fit_to_screen", true}, {"keep_aspect", true}},
      {{"kind", "text"}, {"name", "greeting"}, {"disabled", true}, {"text", "Gr\u00fc\u00dfe\nzweite Zeile"},
       {"text_colour", "#FF0000"}, {"background_colour", "#0000FF"}, {"opaque", false}, {"align", "right"},
       {"font", {{"height", -24}, {"weight", 700}, {"italic", true}, {"charset", 2}, {"face", "Arial"}}}},
      {{"kind", "show_image"}, {"name", "show"}, {"target", "logo"}, {"path", path}, {"colour", colour}},
      {{"kind", "move_image"}, {"target", "greeting"}, {"path", path}},
      {{"kind", "hide_image"}, {"target", "logo"}, {"colour", colour}},
      {{"kind", "delay"}, {"duration", 1234}, {"random", true}},
      {{"kind", "fill"}, {"colour", colour}},
      {{"kind", "loop_start"}, {"name", "outer"}},
      {{"kind", "line"}, {"path", path}, {"colour", colour}, {"pen_style", 2}, {"pen_width", 3}},
      {{"kind", "loop_end"}, {"repeat", 4}, {"endless", true}},
      {{"kind", "media"}, {"name", "tune"}, {"file", "tune.wav"}, {"media", "midi"}},
      {{"kind", "play_media"}, {"target", "tune"}, {"repeat", 3}, {"forever", true}, {"wait", true}, {"loop", true},
       {"x", 10}, {"y", 20}, {"width", 320}, {"height", 200}, {"centre_x", true}, {"centre_y", true},
       {"full_screen", true}, {"time_limited", true}, {"time_limit", 4500}},
      {{"kind", "stop_media"}, {"target", "tune"}},
      {{"kind", "string"}, {"text", "a note"}},
      {{"kind", "link"}, {"clear", true}, {"key", "f12"}, {"url", "http://example.com/a?b=c"}},
  });
}

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
  // Fields the layout does not carry, by kind; they are left out of the scene.
  std::map<std::string, std::vector<std::string>> not_carried;
};

class SceneRoundTrip : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(SceneRoundTrip, InfoGivesBackEveryFieldOfEveryKind) {
  const LayoutCase& layout = GetParam();
  ScratchFolder folder;
  WriteBytes(folder / "logo.bmp", MakeBmp(6, 4));
  WriteBytes(folder / "tune.wav", MakeWav());
  Json items = EveryKindItems();
  for (Json& item : items) {
    const auto dropped = layout.not_carried.find(item["kind"].get<std::string>());
    if (dropped == layout.not_carried.end()) continue;
    for (const std::string& field : dropped->second) item.erase(field);
  }
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
        // Under signature B a play action carries only its flags and position.
        LayoutCase{"signature_b_4_81",
                   {{"signature", "B"}, {"version", 4.81}},
                   {{"play_media", {"width", "height", "centre_x", "centre_y", "full_screen", "time_limited", "time_limit"}}}},
        // Before 4.11 no explicit picture size or play time limit, before 4.21 no aspect or alignment.
        LayoutCase{"signature_a_4_1",
                   {{"signature", "A"}, {"version", 4.1}},
                   {{"picture", {"width", "height", "fit_to_screen", "keep_aspect"}},
                    {"text", {"align"}},
                    {"play_media", {"time_limited", "time_limit"}}}}),
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
