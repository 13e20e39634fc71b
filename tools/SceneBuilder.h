#pragma once
#include <filesystem>
#include <memory>

#include "LoadedPackage.h"
#include "Progress.h"

namespace saver::tool {

// A scene description turned into items, validated and written as a package.
struct BuiltScene {
  std::unique_ptr<LoadedPackage> package;  // items, header and the written bytes
  bool exit_button = false;
};

// Reads the scene file (JSON, see docs/scene-format.md), resolves pictures and media against its
// folder, validates the items as the engine will and writes the package. Every failure is a
// ToolError naming the file and the field.
BuiltScene BuildScene(const std::filesystem::path& scene_file);
// The same, showing on `progress` each embedded file as it is read, then the checks and the writing.
BuiltScene BuildScene(const std::filesystem::path& scene_file, Progress& progress);

}  // namespace saver::tool
