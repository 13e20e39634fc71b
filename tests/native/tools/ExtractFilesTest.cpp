#include <gtest/gtest.h>

#include <set>

#include "ToolTestSupport.h"

namespace saver::tool::testing {
namespace {

namespace fs = std::filesystem;

// The files under `folder`, as paths relative to it.
std::set<std::string> FilesUnder(const fs::path& folder) {
  std::set<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files.insert(entry.path().lexically_relative(folder).generic_string());
  }
  return files;
}

// extract --files gives back every embedded picture and media file byte for byte, in a folder
// named after the item and under the name the package records (so two files of one name cannot
// collide), next to the package it writes as before.
TEST(ExtractFiles, WritesEveryEmbeddedFileBack) {
  ScratchFolder folder;
  fs::create_directories(folder / "pictures");
  fs::create_directories(folder / "more");
  const Bytes picture = MakeBmp(5, 3);
  const Bytes other_picture = MakeBmp(2, 7);
  const Bytes tune = MakeWav();
  WriteBytes(folder / "pictures" / "logo.bmp", picture);
  WriteBytes(folder / "more" / "logo.bmp", other_picture);
  WriteBytes(folder / "tune.wav", tune);
  WriteBytes(folder / "engine.scr", MakePaddedEngine());
  WriteJson(folder / "scene.json", {{"items",
                                     {{{"kind", "picture"}, {"name", "p"}, {"file", "pictures/logo.bmp"}},
                                      {{"kind", "delay"}, {"duration", 10}},
                                      {{"kind", "media"}, {"name", "m"}, {"file", "tune.wav"}},
                                      {{"kind", "text"}, {"name", "t"}, {"text", "no file"}},
                                      {{"kind", "picture"}, {"name", "q"}, {"file", "more/logo.bmp"}}}}});
  const std::string saver = (folder / "show.scr").string();
  ASSERT_EQ(RunSaverpkg({"make-scr", "--engine", (folder / "engine.scr").string(), (folder / "scene.json").string(),
                         "-o", saver}).exit_code, 0);

  const ToolRun run = RunSaverpkg({"extract", saver, "-o", (folder / "back.pkg").string(), "--files",
                                   (folder / "files").string()});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  // The text and the delay carry no file.
  EXPECT_EQ(FilesUnder(folder / "files"),
            (std::set<std::string>{"item-0/logo.bmp", "item-2/tune.wav", "item-4/logo.bmp"}));
  EXPECT_EQ(ReadBytes(folder / "files" / "item-0" / "logo.bmp"), picture);
  EXPECT_EQ(ReadBytes(folder / "files" / "item-2" / "tune.wav"), tune);
  EXPECT_EQ(ReadBytes(folder / "files" / "item-4" / "logo.bmp"), other_picture);
  EXPECT_NE(run.out.find((folder / "files" / "item-2" / "tune.wav").string()), std::string::npos) << run.out;
  EXPECT_EQ(ReadBytes(folder / "back.pkg"), BuildPackage(folder, Json::parse(ReadBytes(folder / "scene.json"))));
}

}  // namespace
}  // namespace saver::tool::testing
