#pragma once
#include <cstdint>
#include <string>

#include "FileBytes.h"
#include "FileSource.h"
#include "LoadedPackage.h"

namespace saver::tool {

// A saver file is the padded engine, the package, then a trailer whose last byte is the
// exit-button flag (0 normal show, anything else a test run with an "Exit" button). This tool
// writes a one-byte trailer.
void WriteSaverFile(const Bytes& engine, const PackageBytes& package, bool exit_button, CByteSink& out);

// Where the package of an input file lies. A file that starts with the executable's "MZ" is a
// saver file: of this engine when its first kPackageOffset bytes are a padded engine, else of the
// older engine (package at kLegacyPackageOffset). Anything else is taken as a bare package.
struct PackageLocation {
  enum class Container { Package, SaverFile, LegacySaverFile, SceneDescription };
  Container container = Container::Package;
  std::uint64_t offset = 0;
  std::uint64_t package_size = 0;         // from the offset to the end of the file
  bool exit_button = false;               // saver files only
};

PackageLocation LocatePackage(const CFileSource& file, const std::string& file_name);

std::string ContainerName(PackageLocation::Container container);

}  // namespace saver::tool
