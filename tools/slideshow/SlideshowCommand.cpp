#include <optional>
#include <random>
#include <thread>

#include "AnsiText.h"
#include "Commands.h"
#include "EngineImage.h"
#include "FileSource.h"
#include "Progress.h"
#include "SaverFile.h"
#include "SceneBuilder.h"
#include "ToolError.h"
#include "slideshow/MusicFile.h"
#include "slideshow/PhotoBatch.h"
#include "slideshow/PhotoOrder.h"
#include "slideshow/SlideshowOptions.h"
#include "slideshow/SlideshowScene.h"
#include "slideshow/TemporaryFolder.h"

namespace saver::tool {
namespace {

namespace fs = std::filesystem;

// Where the scene and the prepared pictures go: the scene file the user asked for with its
// pictures in SCENE-files beside it, or a temporary folder that goes with the command.
struct SceneFolder {
  std::optional<CTemporaryFolder> temporary;
  fs::path scene_file;
  fs::path pictures;
  std::string prefix;  // of the pictures' names as the scene gives them

  explicit SceneFolder(const fs::path& scene) {
    if (scene.empty()) {
      temporary.emplace();
      scene_file = temporary->Path() / "show.json";
      pictures = temporary->Path();
      return;
    }
    scene_file = scene;
    const fs::path folder_name = scene.stem().string() + "-files";
    pictures = scene.parent_path() / folder_name;
    prefix = folder_name.generic_string() + "/";
    std::error_code error;
    fs::create_directories(pictures, error);
    if (error) throw CToolError(pictures.string() + ": cannot make the folder (" + error.message() + ")");
  }
};

std::vector<fs::path> OrderedPhotoFiles(const SlideshowOptions& options) {
  std::vector<fs::path> files = CollectFiles(options.inputs);
  SortByName(files);
  if (options.order == SlideshowOptions::Order::Date) SortByDate(files);
  if (options.order == SlideshowOptions::Order::Shuffle) {
    Shuffle(files, options.shuffle_seed ? *options.shuffle_seed : std::random_device()());
  }
  return files;
}

// The music file's kind; a CToolError when it cannot be read as MP3 or WAV.
std::string CheckedMusicKind(const fs::path& music, const Bytes& bytes) {
  std::string kind = MusicKind(bytes);
  if (kind.empty()) throw CToolError(music.string() + ": cannot be read as music (expected an MP3 or WAV file)");
  return kind;
}

std::string PhotoCounts(const PhotoBatch& batch) {
  const std::size_t count = batch.written.size();
  return std::to_string(count) + (count == 1 ? " photo (" : " photos (") + std::to_string(batch.kept) + " kept as they were, " +
         std::to_string(batch.turned) + " turned upright losslessly, " + std::to_string(batch.reduced) +
         " reduced)";
}

}  // namespace

// saverpkg slideshow PHOTO_OR_FOLDER... -o SHOW.scr [options]: a show of photos, made and
// checked as `build` and `make-scr` make and check a scene, written only when all went well.
void RunSlideshow(const Arguments& arguments, std::ostream& out) {
  const SlideshowOptions options = ReadSlideshowOptions(arguments);
  if (!options.title.empty()) AnsiFromUtf8(options.title, CSceneSite("--title", {}));
  const Bytes engine = ReadFileBytes(options.engine);
  CheckPaddedEngine(engine, options.engine.string());
  SlideshowPlan plan;
  plan.title = options.title;
  plan.effect = options.effect;
  plan.hold_milliseconds = options.hold_milliseconds;
  Bytes music;
  if (!options.music.empty()) {
    music = ReadFileBytes(options.music);
    plan.music_kind = CheckedMusicKind(options.music, music);
  }
  const std::vector<fs::path> files = OrderedPhotoFiles(options);
  CProgress progress = CProgress::ForCommand(arguments);
  const SceneFolder folder(options.scene);

  std::size_t skipped = 0;
  std::size_t finished = 0;
  const PhotoBatch batch = PreparePhotos(
      files, options.photos, std::max(1u, std::thread::hardware_concurrency()), folder.pictures,
      [&](const fs::path& source, const ProcessedPhoto* photo, const std::string&, const std::string& reason) {
        ++finished;
        if (photo == nullptr) {
          ++skipped;
          progress.Finish();
          out << "warning: " << source.string() << ": skipped: " << reason << "\n";
        }
        progress.Step("photo " + std::to_string(finished) + " of " + std::to_string(files.size()) + " prepared (" +
                          source.filename().string() + ")",
                      photo != nullptr ? photo->bytes.size() : 0);
      });
  if (batch.written.empty()) {
    throw CToolError("no usable photo among the " + std::to_string(files.size()) + " files given");
  }
  for (const std::string& name : batch.written) plan.pictures.push_back(folder.prefix + name);
  if (!music.empty()) {
    const std::string music_name = "music." + plan.music_kind;
    WriteFileBytes(folder.pictures / music_name, music);
    plan.music = folder.prefix + music_name;
  }
  const std::string scene_text = SlideshowScene(plan).dump(2) + "\n";
  WriteFileBytes(folder.scene_file, Bytes(scene_text.begin(), scene_text.end()));

  // The package is written straight behind the engine, and the file is renamed only when it
  // has been read back and is complete.
  CPartialFile saver_file(options.output);
  const BuiltScene scene = BuildScene(folder.scene_file, progress, saver_file, engine);
  const std::uint8_t no_exit_button = 0;
  saver_file.Write({&no_exit_button, 1});
  saver_file.Commit();
  progress.Finish();
  out << options.output.string() << ": saver file with " << PhotoCounts(batch) << ", a package of "
      << scene.package->bytes.size << " bytes";
  if (skipped != 0) out << "; " << skipped << " file" << (skipped == 1 ? "" : "s") << " skipped";
  out << "\n";
  if (!options.scene.empty()) {
    out << folder.scene_file.string() << ": scene description, pictures in " << folder.pictures.string() << "\n";
  }
}

}  // namespace saver::tool
