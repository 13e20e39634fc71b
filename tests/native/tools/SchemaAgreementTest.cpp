#include <gtest/gtest.h>

#include <set>

#include "ToolTestSupport.h"

namespace saver::tool::testing {
namespace {

std::set<std::string> Keys(const Json& object) {
  std::set<std::string> keys;
  for (auto it = object.begin(); it != object.end(); ++it) keys.insert(it.key());
  return keys;
}

// Every field info prints, at every depth, is a property of the schema, and the schema names no
// field the tool does not know.
void ExpectSameFields(const Json& described, const Json& schema, const std::string& place) {
  ASSERT_TRUE(schema.contains("properties")) << place;
  const Json& properties = schema["properties"];
  EXPECT_EQ(Keys(described), Keys(properties)) << place;
  for (auto it = described.begin(); it != described.end(); ++it) {
    if (it.value().is_object() && properties.contains(it.key())) {
      ExpectSameFields(it.value(), properties[it.key()], place + "." + it.key());
    }
  }
}

// The scene schema of docs/ agrees with the tool: one definition per item kind, with exactly the
// fields that info prints for an item of that kind.
TEST(SceneSchema, NamesEveryKindWithTheToolsFields) {
  const Json schema = Json::parse(ReadBytes(SCENE_SCHEMA_FILE));
  ScratchFolder folder;
  WriteBytes(folder / "logo.bmp", MakeBmp(4, 4));
  WriteBytes(folder / "tune.wav", MakeWav());
  Json items = Json::array();
  items.push_back({{"kind", "picture"}, {"name", "p"}, {"file", "logo.bmp"}});
  items.push_back({{"kind", "media"}, {"name", "m"}, {"file", "tune.wav"}});
  std::set<std::string> kinds_in_schema;
  for (const Json& entry : schema["properties"]["items"]["items"]["oneOf"]) {
    const std::string reference = entry["$ref"].get<std::string>();
    const std::string kind = reference.substr(reference.rfind('/') + 1);
    kinds_in_schema.insert(kind);
    if (kind == "picture" || kind == "media") continue;
    Json item = {{"kind", kind}};
    const Json& properties = schema["$defs"][kind]["properties"];
    if (properties.contains("target")) item["target"] = kind.find("media") != std::string::npos ? "m" : "p";
    items.push_back(item);
  }
  items.push_back({{"kind", "loop_start"}});  // the loop_end of the list needs its start
  std::rotate(items.rbegin(), items.rbegin() + 1, items.rend());
  BuildPackage(folder, {{"items", items}});
  const Json described = InfoJson(folder / "fixture.pkg")["items"];
  ASSERT_EQ(described.size(), items.size());

  std::set<std::string> kinds_described;
  for (const Json& item : described) {
    const std::string kind = item["kind"].get<std::string>();
    kinds_described.insert(kind);
    ExpectSameFields(item, schema["$defs"][kind], kind);
  }
  EXPECT_EQ(kinds_in_schema, kinds_described);
}

}  // namespace
}  // namespace saver::tool::testing
