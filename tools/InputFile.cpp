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
  CProgress silent;
  return LoadInput(path, silent);
}

InputFile LoadInput(const std::string& path, CProgress& progress) {
  InputFile input;
  input.name = path;
  if (IsSceneDescription(path)) {
    input.scratch = std::make_unique<CTemporaryFolder>();
    input.built = std::make_unique<CPartialFile>(input.scratch->Path() / "package");
    BuiltScene scene = BuildScene(path, progress, *input.built);
    input.package = std::move(scene.package);
    input.exit_button = scene.exit_button;
    input.location.container = PackageLocation::Container::SceneDescription;
    return input;
  }
  std::shared_ptr<const CFileSource> file = CFileSource::Open(path);
  input.location = LocatePackage(*file, path);
  progress.Step("reading the package of " + path, input.location.package_size);
  input.package = LoadPackage(std::move(file), input.location.offset, path);
  input.exit_button = input.location.exit_button;
  return input;
}

}  // namespace saver::tool
