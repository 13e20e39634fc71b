#include <gtest/gtest.h>

#include <algorithm>

#include "PhotoFixtures.h"
#include "ToolTestSupport.h"
#include "package/EngineLayout.h"

namespace saver::tool::testing {
namespace {

// A folder of photos as a camera and a phone leave them, with a few things that are not photos.
struct PhotoFolder {
  ScratchFolder scratch;
  std::filesystem::path photos = scratch / "photos";

  PhotoFolder() {
    std::filesystem::create_directories(photos / "phone");
    WriteBytes(photos / "IMG_10.jpg", JpegOf(Quadrants(64, 48)));
    WriteBytes(photos / "IMG_2.jpg", WithExif(JpegOf(Quadrants(64, 32)), 6));
    WriteBytes(photos / "phone" / "shot.png", PngOf(Quadrants(40, 30)));
    const Bytes jpeg = JpegOf(Quadrants(64, 48));
    WriteBytes(photos / "damaged.jpg", Bytes(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(jpeg.size() / 2)));
    WriteBytes(photos / "notes.txt", Bytes{'h', 'i', '\n'});
    WriteBytes(scratch / "engine.scr", MakePaddedEngine());
    WriteBytes(scratch / "tune.wav", MakeWav());
  }
  std::string Engine() const { return (scratch / "engine.scr").string(); }
  std::string Output() const { return (scratch / "show.scr").string(); }
  ToolRun Run(std::vector<std::string> extra) const {
    std::vector<std::string> words = {"slideshow", photos.string(), "-o", Output(), "--engine", Engine()};
    words.insert(words.end(), extra.begin(), extra.end());
    return RunSaverpkg(words);
  }
};

// The recorded names of the show's pictures, in show order, from `info --json`.
std::vector<std::string> PictureNames(const Json& info) {
  std::vector<std::string> names;
  for (const Json& item : info["items"]) {
    if (item["kind"] == "picture") names.push_back(item["file"].get<std::string>());
  }
  return names;
}

std::vector<std::string> Kinds(const Json& info) {
  std::vector<std::string> kinds;
  for (const Json& item : info["items"]) kinds.push_back(item["kind"].get<std::string>());
  return kinds;
}

TEST(SlideshowCommand, MakesAShowOfEveryUsablePhotoAndNamesWhatItSkipped) {
  PhotoFolder folder;
  const ToolRun run = folder.Run({"--seconds", "2.5", "--effect", "slide in from the top"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("warning: " + (folder.photos / "damaged.jpg").string() + ": skipped: damaged"),
            std::string::npos) << run.out;
  EXPECT_NE(run.out.find("warning: " + (folder.photos / "notes.txt").string() + ": skipped: not a JPEG"),
            std::string::npos) << run.out;
  EXPECT_NE(run.out.find("3 photos (2 kept as they were, 1 turned upright losslessly, 0 reduced)"), std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("2 files skipped"), std::string::npos);
  EXPECT_EQ(RunSaverpkg({"check", folder.Output()}).exit_code, 0);

  const Json info = InfoJson(folder.Output());
  // Natural order of the paths: IMG_2 before IMG_10, the phone's folder after them.
  EXPECT_EQ(PictureNames(info), (std::vector<std::string>{"photo-0001.jpg", "photo-0002.jpg", "photo-0003.png"}));
  std::vector<std::string> expected = {"fill", "loop_start"};
  for (int i = 0; i < 3; ++i) {
    expected.insert(expected.end(), {"picture", "show_image", "delay", "fill"});
  }
  expected.push_back("loop_end");
  EXPECT_EQ(Kinds(info), expected);
  const Json& show = info["items"][3];
  EXPECT_EQ(show["path"]["effect"], 21);
  EXPECT_EQ(info["items"][2]["fit_to_screen"], true);
  EXPECT_EQ(info["items"][2]["keep_aspect"], true);
  EXPECT_EQ(info["items"][4]["duration"], 2500);
  EXPECT_EQ(info["items"].back()["endless"], true);
}

TEST(SlideshowCommand, StartsTheMusicOnceAndTypesTheTitleBeforeThePhotos) {
  PhotoFolder folder;
  const ToolRun run = folder.Run({"--music", (folder.scratch / "tune.wav").string(), "--title", "Sommer på Øland"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const Json info = InfoJson(folder.Output());
  const std::vector<std::string> kinds = Kinds(info);
  const std::vector<std::string> start = {"media", "play_media", "fill", "text", "show_image", "delay", "fill",
                                          "loop_start"};
  EXPECT_TRUE(std::equal(start.begin(), start.end(), kinds.begin())) << info.dump();
  EXPECT_EQ(info["items"][0]["media"], "wav");
  EXPECT_EQ(info["items"][1]["loop"], true);
  EXPECT_EQ(info["items"][3]["text"], "Sommer på Øland");
  EXPECT_EQ(info["items"][4]["path"]["typewriter"], true);
}

TEST(SlideshowCommand, WritesAnEditableSceneThatBuildsTheSamePackage) {
  PhotoFolder folder;
  const std::string scene = (folder.scratch / "show.json").string();
  ASSERT_EQ(folder.Run({"--scene", scene, "--music", (folder.scratch / "tune.wav").string()}).exit_code, 0);
  EXPECT_TRUE(std::filesystem::exists(folder.scratch / "show-files" / "photo-0001.jpg"));
  EXPECT_TRUE(std::filesystem::exists(folder.scratch / "show-files" / "music.wav"));
  const std::string package = (folder.scratch / "show.pkg").string();
  ASSERT_EQ(RunSaverpkg({"build", scene, "-o", package}).exit_code, 0);
  const Bytes saver = ReadBytes(folder.Output());
  EXPECT_EQ(Bytes(saver.begin() + kPackageOffset, saver.end() - 1), ReadBytes(package));
}

TEST(SlideshowCommand, OrdersByDateTakenOrShufflesTheSameWayForASeed) {
  PhotoFolder folder;
  // Taken in the opposite order of their names.
  WriteBytes(folder.photos / "IMG_10.jpg", WithExif(JpegOf(Quadrants(16, 16)), 1, "2020:01:01 10:00:00"));
  WriteBytes(folder.photos / "IMG_2.jpg", WithExif(JpegOf(Quadrants(32, 32)), 1, "2021:01:01 10:00:00"));
  std::filesystem::remove(folder.photos / "phone" / "shot.png");
  ASSERT_EQ(folder.Run({"--order", "date"}).exit_code, 0);
  const Json by_date = InfoJson(folder.Output());
  EXPECT_EQ(by_date["items"][2]["data_size"], std::filesystem::file_size(folder.photos / "IMG_10.jpg"));

  for (int i = 0; i < 8; ++i) WriteBytes(folder.photos / ("extra" + std::to_string(i) + ".jpg"), JpegOf(Quadrants(16 + i, 16)));
  ASSERT_EQ(folder.Run({"--shuffle", "11"}).exit_code, 0);
  const Bytes first = ReadBytes(folder.Output());
  ASSERT_EQ(folder.Run({"--shuffle", "11"}).exit_code, 0);
  EXPECT_EQ(ReadBytes(folder.Output()), first);
  ASSERT_EQ(folder.Run({}).exit_code, 0);
  EXPECT_NE(ReadBytes(folder.Output()), first);
}

TEST(SlideshowCommand, FailsWithoutTouchingTheOutputWhenNothingCanBeShown) {
  PhotoFolder folder;
  WriteBytes(folder.Output(), Bytes{'o', 'l', 'd'});
  ScratchFolder empty_folder;
  WriteBytes(empty_folder / "readme.txt", Bytes{'x'});
  struct Case {
    std::vector<std::string> words;
    const char* message;
  };
  const Case cases[] = {
      {{"slideshow", empty_folder.Path().string(), "-o", folder.Output(), "--engine", folder.Engine()},
       "no usable photo among the 1 files given"},
      {{"slideshow", folder.photos.string(), "-o", folder.Output(), "--engine", folder.Engine(), "--music",
        (folder.photos / "notes.txt").string()},
       "cannot be read as music"},
      {{"slideshow", folder.photos.string(), "-o", folder.Output(), "--engine", folder.Engine(), "--music",
        (folder.scratch / "missing.mp3").string()},
       "missing.mp3: cannot open"},
      {{"slideshow", (folder.scratch / "nothing").string(), "-o", folder.Output(), "--engine", folder.Engine()},
       "no such file or folder"},
      {{"slideshow", folder.photos.string(), "-o", folder.Output(), "--engine", folder.Engine(), "--effect", "wobble"},
       "--effect: unknown effect \"wobble\""},
      {{"slideshow", folder.photos.string(), "-o", folder.Output(), "--engine", folder.Engine(), "--max-size", "big"},
       "--max-size: expected WIDTHxHEIGHT"},
      {{"slideshow", folder.photos.string(), "-o", folder.Output(), "--engine", folder.Engine(), "--title", "日本"},
       "--title"},
  };
  for (const Case& c : cases) {
    const ToolRun run = RunSaverpkg(c.words);
    EXPECT_EQ(run.exit_code, 1) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(folder.Output()), (Bytes{'o', 'l', 'd'})) << c.message;
  }
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(folder.scratch.Path())) {
    left.push_back(entry.path().filename().string());
  }
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"engine.scr", "photos", "show.scr", "tune.wav"}));
}

}  // namespace
}  // namespace saver::tool::testing
