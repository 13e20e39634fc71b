#pragma once
#include <array>
#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "package/ByteSource.h"
#include "package/PackageVersions.h"
#include "package/StoredBytes.h"
#include "package/Windows1252.h"

namespace saver {

// Load-mode archive over a byte stream: the package primitives, little-endian, no padding.
// Every primitive cut short raises CArchiveError::EndOfFile; a count or length larger than what
// remains of the stream raises it before anything is allocated.
//
// Item loaders share one field-by-field description with the writer (a template over the archive
// type), hence the overloaded transfer names below alongside the plain Read* functions.
class CArchiveReader {
 public:
  static constexpr bool kLoading = true;

  // Reads from the stream's current position to its end.
  explicit CArchiveReader(std::istream& in, Utf16ToAnsi to_ansi = &Windows1252FromUtf16);
  // Reads `size` bytes at `data`, which outlive the reader. The engine reads its own file mapped
  // in memory this way: without a stream it links no iostreams (and their locales), which would
  // not fit the engine image.
  CArchiveReader(const std::uint8_t* data, std::uint64_t size, Utf16ToAnsi to_ansi = &Windows1252FromUtf16);
  // Reads the package that starts at `offset` of `package`, whose bytes are in memory. Embedded
  // files are not copied: items refer to their range of `package` (see CStoredBytes).
  CArchiveReader(std::shared_ptr<const CByteSource> package, std::uint64_t offset,
                 Utf16ToAnsi to_ansi = &Windows1252FromUtf16);
  // Reads from the stream, which holds the bytes of `package` from `offset` on; embedded files
  // are skipped in the stream and referred to in `package`, which reads them when they are needed.
  CArchiveReader(std::istream& in, std::shared_ptr<const CByteSource> package, std::uint64_t offset,
                 Utf16ToAnsi to_ansi = &Windows1252FromUtf16);

  std::uint32_t ReadDword();
  float ReadFloat();
  // A STRING as stored: the length prefix, then the characters (UTF-16 converted to ANSI).
  std::string ReadString();
  std::vector<std::uint8_t> ReadBytes(std::uint64_t count);

  std::uint64_t Remaining() const { return end_ - position_; }
  PackageVersions& Versions() { return versions_; }

  // Transfers used by the item layouts; scrambled fields are unscrambled right after reading.
  void Dword(std::uint32_t& value) { value = ReadDword(); }
  void Dword(std::int32_t& value) { value = static_cast<std::int32_t>(ReadDword()); }
  void ScrambledString(std::string& value);
  void ScrambledBytes(CStoredBytes& value, std::uint32_t count);
  template <std::size_t N>
  void ScrambledBlock(std::array<std::uint8_t, N>& value) {
    ReadRaw(value.data(), N);
    UnscrambleRead(value.data(), N);
  }

 private:
  void ReadRaw(void* out, std::uint64_t count);
  // Moves past `count` bytes without reading them.
  void Skip(std::uint64_t count);
  void Require(std::uint64_t count) const;
  std::uint64_t ReadLength(bool& utf16);
  static void UnscrambleRead(std::uint8_t* bytes, std::size_t count);

  // Each reads `count` bytes into `out`; a null `out` skips them.
  static void ReadFromStream(CArchiveReader& self, void* out, std::uint64_t count);
  static void ReadFromBytes(CArchiveReader& self, void* out, std::uint64_t count);

  std::istream* in_ = nullptr;
  const std::uint8_t* bytes_ = nullptr;
  void (*read_)(CArchiveReader& self, void* out, std::uint64_t count);
  Utf16ToAnsi to_ansi_;
  std::uint64_t position_ = 0;
  std::uint64_t end_ = 0;
  PackageVersions versions_;
  std::shared_ptr<const CByteSource> package_;  // set when items refer to their embedded files
  std::uint64_t package_offset_ = 0;            // of the reader's first byte in package_
};

}  // namespace saver
