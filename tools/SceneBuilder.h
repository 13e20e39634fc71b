#pragma once
#include <filesystem>
#include <memory>
#include <span>

#include "FileSource.h"

#include "LoadedPackage.h"
#include "Progress.h"

namespace saver::tool {

// A scene description turned into items, validated and written as a package.
struct BuiltScene {
  std::unique_ptr<LoadedPackage> package;  // items, header and where the written package lies
  bool exit_button = false;
};

// Reads the scene file (JSON, see docs/scene-format.md), resolves pictures and media against its
// folder, validates the items as the engine will and writes `head` (the engine of a saver file, or
// nothing), then the package into `out`, streaming each embedded file from its own file, and
// reads the package back from `out` as the engine does. Every failure is a CToolError naming the
// file and the field.
BuiltScene BuildScene(const std::filesystem::path& scene_file, CPartialFile& out,
                      std::span<const std::uint8_t> head = {});
// The same, showing on `progress` each embedded file as it is read, then the checks and the writing.
BuiltScene BuildScene(const std::filesystem::path& scene_file, CProgress& progress, CPartialFile& out,
                      std::span<const std::uint8_t> head = {});

}  // namespace saver::tool
