#include "package/ArchiveReader.h"

#include <bit>
#include <cstring>

#include "package/ArchiveError.h"
#include "package/Scrambler.h"

namespace saver {
namespace {

std::uint32_t LittleEndian(const std::uint8_t* bytes, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

// Markers of the STRING length prefix: a byte of 255 announces a 16-bit length, a 16-bit value
// of 0xFFFF a 32-bit length, and 0xFFFE that UTF-16 text follows with a length prefix of its own.
constexpr std::uint8_t kWordFollows = 0xFF;
constexpr std::uint16_t kDwordFollows = 0xFFFF;
constexpr std::uint16_t kUtf16Follows = 0xFFFE;

}  // namespace

CArchiveReader::CArchiveReader(const std::uint8_t* data, std::uint64_t size, Utf16ToAnsi to_ansi)
    : bytes_(data), read_(&ReadFromBytes), to_ansi_(to_ansi), end_(size) {}

CArchiveReader::CArchiveReader(std::shared_ptr<const CByteSource> package, std::uint64_t offset, Utf16ToAnsi to_ansi)
    : bytes_(package->Memory() + offset),
      read_(&ReadFromBytes),
      to_ansi_(to_ansi),
      end_(package->Size() - offset),
      package_(std::move(package)),
      package_offset_(offset) {}

void CArchiveReader::ReadFromBytes(CArchiveReader& self, void* out, std::uint64_t count) {
  if (out != nullptr) std::memcpy(out, self.bytes_ + self.position_, static_cast<std::size_t>(count));
}

void CArchiveReader::Require(std::uint64_t count) const {
  if (count > Remaining()) throw CArchiveError::EndOfFile();
}

void CArchiveReader::ReadRaw(void* out, std::uint64_t count) {
  Require(count);
  if (count == 0) return;
  read_(*this, out, count);
  position_ += count;
}

void CArchiveReader::Skip(std::uint64_t count) {
  Require(count);
  if (count == 0) return;
  read_(*this, nullptr, count);
  position_ += count;
}

std::uint32_t CArchiveReader::ReadDword() {
  std::uint8_t bytes[4];
  ReadRaw(bytes, 4);
  return LittleEndian(bytes, 4);
}

float CArchiveReader::ReadFloat() { return std::bit_cast<float>(ReadDword()); }

std::uint64_t CArchiveReader::ReadLength(bool& utf16) {
  std::uint8_t byte;
  ReadRaw(&byte, 1);
  if (byte != kWordFollows) return byte;
  std::uint8_t word_bytes[2];
  ReadRaw(word_bytes, 2);
  const auto word = static_cast<std::uint16_t>(LittleEndian(word_bytes, 2));
  if (word == kDwordFollows) return ReadDword();
  if (word != kUtf16Follows) return word;
  // The UTF-16 marker appears once; a second one is not a length the archive writes.
  if (utf16) throw CArchiveError::BadSchema("repeated UTF-16 marker in a string length");
  utf16 = true;
  return ReadLength(utf16);
}

std::string CArchiveReader::ReadString() {
  bool utf16 = false;
  const std::uint64_t length = ReadLength(utf16);
  if (!utf16) {
    Require(length);
    std::string text(static_cast<std::size_t>(length), '\0');
    ReadRaw(text.data(), length);
    return text;
  }
  Require(length * 2);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length * 2));
  ReadRaw(bytes.data(), bytes.size());
  std::u16string units(static_cast<std::size_t>(length), u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(LittleEndian(&bytes[2 * i], 2));
  }
  return to_ansi_(units);
}

std::vector<std::uint8_t> CArchiveReader::ReadBytes(std::uint64_t count) {
  Require(count);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
  ReadRaw(bytes.data(), count);
  return bytes;
}

void CArchiveReader::UnscrambleRead(std::uint8_t* bytes, std::size_t count) {
  Unscramble({bytes, count}, ScrambleDirection::kUnscramble);
}

// A UTF-16 string is unscrambled after its conversion, with the converted length.
void CArchiveReader::ScrambledString(std::string& value) {
  value = ReadString();
  UnscrambleRead(reinterpret_cast<std::uint8_t*>(value.data()), value.size());
}

void CArchiveReader::ScrambledBytes(CStoredBytes& value, std::uint32_t count) {
  if (package_ != nullptr) {
    Require(count);
    value = CStoredBytes(package_, package_offset_ + position_, count, true);
    Skip(count);
    return;
  }
  std::vector<std::uint8_t> bytes = ReadBytes(count);
  UnscrambleRead(bytes.data(), bytes.size());
  value = std::move(bytes);
}

}  // namespace saver
