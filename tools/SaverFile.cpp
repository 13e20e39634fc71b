#include "SaverFile.h"

#include "EngineImage.h"
#include "ToolError.h"
#include "package/EngineLayout.h"

namespace saver::tool {
namespace {

bool StartsAsExecutable(const CFileSource& file) {
  std::uint8_t start[2] = {};
  if (file.Size() >= 2) file.Read(0, start);
  return start[0] == 'M' && start[1] == 'Z';
}

bool HasPaddedEngine(const CFileSource& file) {
  if (file.Size() < kPackageOffset) return false;
  Bytes engine(kPackageOffset);
  file.Read(0, engine);
  try {
    CheckPaddedEngine(engine, {});
    return true;
  } catch (const CToolError&) {
    return false;
  }
}

}  // namespace

void WriteSaverFile(const Bytes& engine, const PackageBytes& package, bool exit_button, CByteSink& out) {
  out.Write(engine);
  package.CopyTo(out);
  const std::uint8_t flag = exit_button ? 1 : 0;
  out.Write({&flag, 1});
}

PackageLocation LocatePackage(const CFileSource& file, const std::string& file_name) {
  PackageLocation where;
  if (!StartsAsExecutable(file)) {
    where.package_size = file.Size();
    return where;
  }
  if (HasPaddedEngine(file)) {
    if (file.Size() == kPackageOffset) throw CToolError(file_name + ": a padded engine without a package");
    where.container = PackageLocation::Container::SaverFile;
    where.offset = kPackageOffset;
  } else if (file.Size() > kLegacyPackageOffset) {
    where.container = PackageLocation::Container::LegacySaverFile;
    where.offset = kLegacyPackageOffset;
  } else {
    throw CToolError(file_name + ": an executable of " + std::to_string(file.Size()) +
                     " bytes carries no package (a saver file holds its package at offset " +
                     std::to_string(kPackageOffset) + ", or " + std::to_string(kLegacyPackageOffset) +
                     " for the older engine)");
  }
  where.package_size = file.Size() - where.offset;
  std::uint8_t last = 0;
  file.Read(file.Size() - 1, {&last, 1});
  where.exit_button = last != 0;
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
