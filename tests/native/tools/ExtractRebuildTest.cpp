#include <gtest/gtest.h>

#include "ToolTestSupport.h"
#include "model/ItemList.h"
#include "model/PackageItems.h"
#include "package/ArchiveWriter.h"
#include "package/Signatures.h"
#include "scene/ImageItem.h"

namespace saver::tool::testing {
namespace {

namespace fs = std::filesystem;

enum class Container { Package, SaverFile };

struct RebuildCase {
  const char* label;
  Json header;  // signature, version, reserved, exit_button
  FieldsByKind not_carried;  // left out of the scene
  Container container;
};

void PrintTo(const RebuildCase& c, std::ostream* out) { *out << c.label; }

Json SceneOf(const RebuildCase& c) {
  Json scene = c.header;
  scene["items"] = EveryKindItemsWithout(c.not_carried);
  return scene;
}

// The original show's files are moved away after building, so the rebuild can only use what
// extract wrote.
void WriteOriginalFiles(const ScratchFolder& folder) {
  WriteBytes(folder / "logo.bmp", MakeBmp(6, 4));
  WriteBytes(folder / "tune.wav", MakeWav());
}

void RemoveOriginalFiles(const ScratchFolder& folder) {
  fs::remove(folder / "logo.bmp");
  fs::remove(folder / "tune.wav");
}

ToolRun RunOk(const std::vector<std::string>& words) {
  ToolRun run = RunSaverpkg(words);
  EXPECT_EQ(run.exit_code, 0) << run.err;
  return run;
}

class ExtractRebuild : public ::testing::TestWithParam<RebuildCase> {};

// extract --scene, then build (and make-scr for a saver file) of that scene, gives back the very
// bytes the tool wrote.
TEST_P(ExtractRebuild, GivesBackTheSameBytes) {
  const RebuildCase& c = GetParam();
  ScratchFolder folder;
  WriteOriginalFiles(folder);
  WriteBytes(folder / "engine.scr", MakePaddedEngine());
  const Bytes package = BuildPackage(folder, SceneOf(c));
  ASSERT_FALSE(package.empty());
  fs::path input = folder / "fixture.pkg";
  if (c.container == Container::SaverFile) {
    input = folder / "show.scr";
    RunOk({"make-scr", "--engine", (folder / "engine.scr").string(), (folder / "fixture.json").string(), "-o",
         input.string()});
  }
  RemoveOriginalFiles(folder);

  const fs::path scene = folder / "edit" / "show.json";
  fs::create_directories(scene.parent_path());
  const ToolRun extract =
      RunOk({"extract", input.string(), "-o", (folder / "extracted.pkg").string(), "--scene", scene.string()});
  EXPECT_EQ(ReadBytes(folder / "extracted.pkg"), package);
  EXPECT_NE(extract.out.find(scene.string()), std::string::npos) << extract.out;

  RunOk({"build", scene.string(), "-o", (folder / "rebuilt.pkg").string()});
  EXPECT_EQ(ReadBytes(folder / "rebuilt.pkg"), package);
  if (c.container == Container::SaverFile) {
    RunOk({"make-scr", "--engine", (folder / "engine.scr").string(), scene.string(), "-o",
         (folder / "rebuilt.scr").string()});
    EXPECT_EQ(ReadBytes(folder / "rebuilt.scr"), ReadBytes(input));
  }
}

// The scene names the extracted files relative to its own folder and leaves out what a new item
// starts with, so that it reads like a scene written by hand.
TEST_P(ExtractRebuild, WritesAnEditableScene) {
  const RebuildCase& c = GetParam();
  ScratchFolder folder;
  WriteOriginalFiles(folder);
  BuildPackage(folder, SceneOf(c));
  const fs::path scene_file = folder / "edit" / "show.json";
  RunOk({"extract", (folder / "fixture.pkg").string(), "-o", (folder / "extracted.pkg").string(), "--scene",
       scene_file.string()});
  const Json scene = Json::parse(ReadBytes(scene_file));
  const Json original = SceneOf(c);
  const Json items = original["items"];
  ASSERT_EQ(scene["items"].size(), items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    const Json& item = scene["items"][i];
    if (!items[i].contains("file")) {
      EXPECT_FALSE(item.contains("file")) << item;
      continue;
    }
    const std::string file = item["file"].get<std::string>();
    EXPECT_EQ(fs::path(file).filename(), items[i]["file"].get<std::string>()) << file;
    EXPECT_EQ(ReadBytes(scene_file.parent_path() / file), ReadBytes(folder / items[i]["file"].get<std::string>()));
  }
  // A loop start of the every-kind show has only its name; a stop action only its target.
  EXPECT_EQ(scene["items"][7], (Json{{"kind", "loop_start"}, {"name", "outer"}}));
  EXPECT_EQ(scene["items"][12], (Json{{"kind", "stop_media"}, {"target", "tune"}}));
  EXPECT_EQ(scene["signature"], original.value("signature", "A"));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ExtractRebuild,
    ::testing::Values(
        RebuildCase{"current_saver_file", {{"exit_button", true}, {"reserved", 0xC0FFEE}}, {}, Container::SaverFile},
        RebuildCase{"current_package", {{"reserved", 7}}, {}, Container::Package},
        RebuildCase{"signature_b_4_81_saver_file", {{"signature", "B"}, {"version", 4.81}}, kNotCarriedUnderB481,
                    Container::SaverFile},
        RebuildCase{"signature_a_4_1_package", {{"signature", "A"}, {"version", 4.1}}, kNotCarriedUnderA41,
                    Container::Package}),
    [](const ::testing::TestParamInfo<RebuildCase>& info) { return std::string(info.param.label); });

// The members of `info --json` that describe the show rather than the file it came in.
Json ShowOf(const Json& info) {
  Json show = Json::object();
  for (const char* key : {"exit_button", "signature", "version", "reserved", "items"}) show[key] = info[key];
  return show;
}

struct OlderCase {
  const char* label;
  Json header;
};

void PrintTo(const OlderCase& c, std::ostream* out) { *out << c.label; }

class ExtractRebuildOlder : public ::testing::TestWithParam<OlderCase> {};

// A saver file of the older engine carries a signature this engine does not write: its scene
// rebuilds the show onto this engine, the same as `info` reads it from the old file.
TEST_P(ExtractRebuildOlder, GivesBackTheSameShow) {
  ScratchFolder folder;
  WriteOriginalFiles(folder);
  WriteBytes(folder / "engine.scr", MakePaddedEngine());
  const Json scene = SmallShowScene(GetParam().header);
  WriteBytes(folder / "old.scr", MakeOlderSaverFile(WithSignature(BuildPackage(folder, scene), "ElderShow"), 1));
  RemoveOriginalFiles(folder);

  const fs::path edited = folder / "show.json";
  RunOk({"extract", (folder / "old.scr").string(), "-o", (folder / "moved.pkg").string(), "--scene", edited.string()});
  RunOk({"make-scr", "--engine", (folder / "engine.scr").string(), edited.string(), "-o", (folder / "new.scr").string()});
  const Json old_info = InfoJson(folder / "old.scr");
  ASSERT_TRUE(old_info.contains("found_signature"));
  EXPECT_EQ(ShowOf(InfoJson(folder / "new.scr")), ShowOf(old_info));
}

INSTANTIATE_TEST_SUITE_P(Layouts, ExtractRebuildOlder,
                         ::testing::Values(OlderCase{"newer_tool_layout", {{"signature", "A"}, {"version", 4.5}}},
                                           OlderCase{"legacy_2_5_layout", {{"signature", "B"}, {"version", 2.5}}},
                                           OlderCase{"legacy_3_5_layout", {{"signature", "B"}, {"version", 3.5}}}),
                         [](const ::testing::TestParamInfo<OlderCase>& info) { return std::string(info.param.label); });

// A package that records a picture under a Windows path (which this tool never writes, as it
// records file names only): the file is written under the path's last part, extract says so, and
// the rebuilt package is the same show but for the recorded name.
TEST(ExtractRebuildNames, RecordedPathIsCutToItsLastPart) {
  ScratchFolder folder;
  CItemList items;
  auto picture = std::make_unique<CImageItem>();
  picture->Name().SetText("logo");
  picture->file_name = "C:\\pictures\\logo.bmp";
  picture->data = MakeBmp(3, 2);
  items.Append(std::move(picture));
  CArchiveWriter writer;
  WritePackage(writer, PackageHeader{0, SAVER_SIGNATURE_A, 4.81f}, items);
  WriteBytes(folder / "show.pkg", writer.Bytes());

  const ToolRun extract = RunOk({"extract", (folder / "show.pkg").string(), "-o", (folder / "back.pkg").string(),
                                 "--scene", (folder / "show.json").string()});
  EXPECT_NE(extract.out.find("items[0]: the recorded name \"C:\\pictures\\logo.bmp\" cannot name a file"),
            std::string::npos)
      << extract.out;
  EXPECT_EQ(ReadBytes(folder / "show-files" / "item-0" / "logo.bmp"), MakeBmp(3, 2));
  RunOk({"build", (folder / "show.json").string(), "-o", (folder / "rebuilt.pkg").string()});
  Json original = ShowOf(InfoJson(folder / "show.pkg"));
  const Json rebuilt = ShowOf(InfoJson(folder / "rebuilt.pkg"));
  EXPECT_EQ(original["items"][0]["file"], "C:\\pictures\\logo.bmp");
  original["items"][0]["file"] = "logo.bmp";
  EXPECT_EQ(rebuilt, original);
}

}  // namespace
}  // namespace saver::tool::testing
