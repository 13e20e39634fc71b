#include "package/PackageReader.h"

#include <new>
#include <string>

#include "package/ArchiveError.h"
#include "package/ArchiveReader.h"
#include "package/Signatures.h"

namespace saver {
namespace {

constexpr double kNewestVersion = 4.81;

void ReadHeader(CArchiveReader& archive) {
  const std::string signature = archive.ReadString();
  const float version = archive.ReadFloat();
  archive.Versions().package = version;
  const bool is_b = signature == SAVER_SIGNATURE_B;
  if (!is_b && signature != SAVER_SIGNATURE_A) throw CArchiveError::BadSchema("unknown signature");
  // Widened to double, so the float nearest 4.81 passes and 4.82 fails. A NaN is refused too.
  if (!(static_cast<double>(version) <= kNewestVersion)) throw CArchiveError::BadSchema("version too new");
  if (is_b) archive.Versions().legacy = version;
}

void ReadItemRecords(CArchiveReader& archive, CPackageContent& content) {
  const std::uint32_t count = archive.ReadDword();
  for (std::uint32_t i = 0; i < count; ++i)
    content.ReadItem(archive, static_cast<std::int32_t>(archive.ReadDword()));
}

}  // namespace

bool ReadPackage(CArchiveReader& archive, CPackageContent& content, std::uint32_t* reserved) {
  archive.Versions() = {};
  try {
    if (reserved != nullptr) *reserved = archive.ReadDword();
    ReadHeader(archive);
    ReadItemRecords(archive, content);
    content.ReadLinkSection(archive);
  } catch (const CArchiveError&) {
    return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
  return content.Validate();
}

}  // namespace saver
