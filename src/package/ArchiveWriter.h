#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "package/PackageVersions.h"
#include "package/StoredBytes.h"

namespace saver {

// Where a streaming CArchiveWriter sends its bytes, in order.
class CByteSink {
 public:
  virtual ~CByteSink() = default;
  virtual void Write(std::span<const std::uint8_t> bytes) = 0;
};

// Store-mode archive: the inverse of CArchiveReader, writing into memory or, given a sink, into
// the sink as it goes, so that a package of any size is never held whole. Scrambled fields are
// scrambled on the way out, so what it writes reads back to the values it was given. Item layouts
// consult Versions() exactly as their loaders do, so any layout, legacy ones included, can be
// written.
class CArchiveWriter {
 public:
  static constexpr bool kLoading = false;

  CArchiveWriter() = default;
  explicit CArchiveWriter(CByteSink& sink) : sink_(&sink) {}

  void WriteDword(std::uint32_t value);
  void WriteFloat(float value);
  // Single-byte characters with the shortest length prefix the archive knows.
  void WriteString(std::string_view text);
  // The UTF-16 form of a STRING (the authoring tool never writes it; packages may carry it).
  void WriteUtf16String(std::u16string_view text);
  void WriteBytes(const std::vector<std::uint8_t>& bytes);

  // What was written into memory (nothing with a sink).
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::uint64_t Written() const { return written_; }
  // Hands the written bytes over, leaving the writer empty (no copy of a large package).
  std::vector<std::uint8_t> TakeBytes() { return std::move(bytes_); }
  PackageVersions& Versions() { return versions_; }

  void Dword(std::uint32_t value) { WriteDword(value); }
  void Dword(std::int32_t value) { WriteDword(static_cast<std::uint32_t>(value)); }
  void ScrambledString(std::string_view value);
  // The count has been written by the caller as its own field; it must match the bytes.
  // Embedded files are copied in pieces; bytes stored scrambled already go out as they are.
  void ScrambledBytes(const CStoredBytes& value, std::uint32_t count);
  template <std::size_t N>
  void ScrambledBlock(const std::array<std::uint8_t, N>& value) {
    WriteScrambled(value.data(), N);
  }

 private:
  void WriteLength(std::uint64_t length);
  void WriteScrambled(const std::uint8_t* bytes, std::size_t count);
  void Append(const void* data, std::size_t count);

  CByteSink* sink_ = nullptr;
  std::vector<std::uint8_t> bytes_;
  std::uint64_t written_ = 0;
  PackageVersions versions_;
};

}  // namespace saver
