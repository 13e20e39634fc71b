#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "FileBytes.h"
#include "FileSource.h"
#include "ToolValidation.h"
#include "app/ItemRegistry.h"
#include "package/PackageWriter.h"

namespace saver::tool {

// The newest authoring-tool version the engine's reader accepts (compared in double precision).
inline constexpr double kNewestPackageVersion = 4.81;

// Where a package's bytes lie: `size` bytes from `offset` of `source`.
struct PackageBytes {
  std::shared_ptr<const CByteSource> source;
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
  void CopyTo(CByteSink& sink) const { CopyBytes(*source, offset, size, sink); }
};

// A package read and validated by the engine's own reader, with what the tool learned on the way.
struct LoadedPackage {
  LoadedPackage();
  CMessageLog messages;
  CToolMeasurer measurer{messages};
  CItemRegistry registry{messages, &measurer};

  PackageHeader header;       // as read; the signature is this engine's A or B
  std::string found_signature;  // the signature the bytes carried
  // The package as this engine reads it: the bytes read, the signature replaced when it was
  // foreign, without whatever followed the package. The items' embedded files refer to them.
  PackageBytes bytes;
  // For a foreign signature: which reading was kept and why, for the user.
  std::string reading_note;
};

// Reads the package at `offset` of `file` (which may run on past the package's end), once,
// without holding it: the items refer to their embedded files in `file`. A package with a
// signature other than A and B comes from the older engine's authoring tool: it is read into
// memory once as signature A and once as signature B, and the reading that reads and validates is
// kept. Fails with a CToolError naming `file_name` and, where it can, the item at fault.
std::unique_ptr<LoadedPackage> LoadPackage(std::shared_ptr<const CFileSource> file, std::uint64_t offset,
                                           const std::string& file_name);

// Numbers the items and validates them in order as the reader does; the first failure as a
// message naming the item ("items[3] (loop_end \"x\") does not validate: ..."), or "".
std::string FirstValidationFailure(LoadedPackage& package);

// The shortest text that reads back as the same float ("4.81").
std::string VersionText(float version);

// "A" or "B" for this engine's signatures, else the signature itself.
std::string SignatureLabel(const std::string& signature);

}  // namespace saver::tool
