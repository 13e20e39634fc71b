#include <gtest/gtest.h>

#include "ToolTestSupport.h"

namespace saver::tool::testing {
namespace {

// extract --files gives back every embedded picture and media file byte for byte, named after
// the item, next to the package it writes as before.
TEST(ExtractFiles, WritesEveryEmbeddedFileBack) {
  ScratchFolder folder;
  std::filesystem::create_directories(folder / "pictures");
  const Bytes picture = MakeBmp(5, 3);
  const Bytes tune = MakeWav();
  WriteBytes(folder / "pictures" / "logo.bmp", picture);
  WriteBytes(folder / "tune.wav", tune);
  WriteBytes(folder / "engine.scr", MakePaddedEngine());
  WriteJson(folder / "scene.json", {{"items",
                                     {{{"kind", "picture"}, {"name", "p"}, {"file", "pictures/logo.bmp"}},
                                      {{"kind", "delay"}, {"duration", 10}},
                                      {{"kind", "media"}, {"name", "m"}, {"file", "tune.wav"}},
                                      {{"kind", "text"}, {"name", "t"}, {"text", "no file"}}}}});
  const std::string saver = (folder / "show.scr").string();
  ASSERT_EQ(RunSaverpkg({"make-scr", "--engine", (folder / "engine.scr").string(), (folder / "scene.json").string(),
                         "-o", saver}).exit_code, 0);

  const ToolRun run = RunSaverpkg({"extract", saver, "-o", (folder / "back.pkg").string(), "--files",
                                   (folder / "files").string()});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(ReadBytes(folder / "files" / "items-0-logo.bmp"), picture);
  EXPECT_EQ(ReadBytes(folder / "files" / "items-2-tune.wav"), tune);
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder / "files")) ++files;
  EXPECT_EQ(files, 2u);  // the text and the delay carry no file
  EXPECT_NE(run.out.find((folder / "files" / "items-2-tune.wav").string()), std::string::npos) << run.out;
  EXPECT_EQ(ReadBytes(folder / "back.pkg"), BuildPackage(folder, Json::parse(ReadBytes(folder / "scene.json"))));
}

}  // namespace
}  // namespace saver::tool::testing
