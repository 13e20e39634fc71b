#pragma once
#include <memory>
#include <string>

#include "FileBytes.h"
#include "LoadedPackage.h"
#include "Progress.h"
#include "SaverFile.h"
#include "slideshow/TemporaryFolder.h"

namespace saver::tool {

// A command's input, whatever its form: a scene description (a name ending in .json) is built;
// a package or a saver file (of this engine or of the older one) is read and validated.
struct InputFile {
  std::string name;
  // For a scene description: the package built from it, in a temporary folder that goes with it.
  std::unique_ptr<CTemporaryFolder> scratch;
  std::unique_ptr<CPartialFile> built;
  PackageLocation location;
  std::unique_ptr<LoadedPackage> package;
  bool exit_button = false;  // the scene's or the saver file's flag
};

InputFile LoadInput(const std::string& path);
// The same, showing on `progress` which file is being read and checked.
InputFile LoadInput(const std::string& path, CProgress& progress);

}  // namespace saver::tool
