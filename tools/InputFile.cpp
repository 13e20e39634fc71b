#include "InputFile.h"

#include <algorithm>
#include <filesystem>

#include "SceneBuilder.h"

namespace saver::tool {
namespace {

bool IsSceneDescription(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".json";
}

}  // namespace

InputFile LoadInput(const std::string& path) {
  Progress silent;
  return LoadInput(path, silent);
}

InputFile LoadInput(const std::string& path, Progress& progress) {
  InputFile input;
  input.name = path;
  if (IsSceneDescription(path)) {
    BuiltScene scene = BuildScene(path, progress);
    input.package = std::move(scene.package);
    input.exit_button = scene.exit_button;
    input.location.container = PackageLocation::Container::SceneDescription;
    return input;
  }
  Bytes contents = ReadFileBytes(path);
  input.location = LocatePackage(contents, path);
  progress.Step("reading the package of " + path, input.location.package.size());
  // The package takes the file's bytes over from its offset on, so the file is held only once.
  contents.erase(contents.begin(), contents.begin() + static_cast<std::ptrdiff_t>(input.location.offset));
  input.package = LoadPackage(std::move(contents), path);
  input.location.package = input.package->bytes;
  input.exit_button = input.location.exit_button;
  return input;
}

}  // namespace saver::tool
