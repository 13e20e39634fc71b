#pragma once
#include <filesystem>
#include <vector>

#include "EmbeddedFiles.h"
#include "FieldTable.h"
#include "LoadedPackage.h"

namespace saver::tool {

// The scene description of a package that `build` turns back into the same package: the header,
// the exit-button flag and every item, naming its embedded file by its path relative to the
// scene's folder (`files`, as extracted). Fields that keep the value a new item starts with are
// left out, so that the scene reads like one written by hand; the media kind is always given, as
// its absence would mean "from the file's extension".
Json DescribeEditableScene(const LoadedPackage& package, bool exit_button, const std::vector<EmbeddedFile>& files,
                           const std::filesystem::path& scene_folder);

// Writes that scene to `scene_file`, relative to whose folder the files are named.
void WriteEditableScene(const std::filesystem::path& scene_file, const LoadedPackage& package, bool exit_button,
                        const std::vector<EmbeddedFile>& files);

}  // namespace saver::tool
