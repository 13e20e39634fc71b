#include "SaverFile.h"

#include "EngineImage.h"
#include "ToolError.h"
#include "package/EngineLayout.h"

namespace saver::tool {
namespace {

bool StartsAsExecutable(const Bytes& file) {
  return file.size() >= 2 && file[0] == 'M' && file[1] == 'Z';
}

bool HasPaddedEngine(const Bytes& file) {
  if (file.size() < kPackageOffset) return false;
  try {
    CheckPaddedEngine(Bytes(file.begin(), file.begin() + kPackageOffset), {});
    return true;
  } catch (const ToolError&) {
    return false;
  }
}

}  // namespace

Bytes ComposeSaverFile(const Bytes& engine, std::span<const std::uint8_t> package, bool exit_button) {
  Bytes file;
  file.reserve(engine.size() + package.size() + 1);
  file.insert(file.end(), engine.begin(), engine.end());
  file.insert(file.end(), package.begin(), package.end());
  file.push_back(exit_button ? 1 : 0);
  return file;
}

PackageLocation LocatePackage(const Bytes& file, const std::string& file_name) {
  PackageLocation where;
  if (!StartsAsExecutable(file)) {
    where.package = file;
    return where;
  }
  if (HasPaddedEngine(file)) {
    if (file.size() == kPackageOffset) throw ToolError(file_name + ": a padded engine without a package");
    where.container = PackageLocation::Container::SaverFile;
    where.offset = kPackageOffset;
  } else if (file.size() > kLegacyPackageOffset) {
    where.container = PackageLocation::Container::LegacySaverFile;
    where.offset = kLegacyPackageOffset;
  } else {
    throw ToolError(file_name + ": an executable of " + std::to_string(file.size()) +
                    " bytes carries no package (a saver file holds its package at offset " +
                    std::to_string(kPackageOffset) + ", or " + std::to_string(kLegacyPackageOffset) +
                    " for the older engine)");
  }
  where.package = std::span<const std::uint8_t>(file).subspan(where.offset);
  where.exit_button = file.back() != 0;
  return where;
}

std::string ContainerName(PackageLocation::Container container) {
  switch (container) {
    case PackageLocation::Container::Package: return "package";
    case PackageLocation::Container::SaverFile: return "saver file";
    case PackageLocation::Container::LegacySaverFile: return "older engine's saver file";
    case PackageLocation::Container::SceneDescription: return "scene description";
  }
  return {};
}

}  // namespace saver::tool
