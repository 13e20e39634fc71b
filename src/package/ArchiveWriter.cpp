#include "package/ArchiveWriter.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

#include "package/Scrambler.h"

namespace saver {

namespace {

constexpr std::size_t kPieceSize = 1 << 20;

}  // namespace

void CArchiveWriter::Append(const void* data, std::size_t count) {
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  written_ += count;
  if (sink_ != nullptr) {
    sink_->Write({bytes, count});
  } else {
    bytes_.insert(bytes_.end(), bytes, bytes + count);
  }
}

void CArchiveWriter::WriteDword(std::uint32_t value) {
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                 static_cast<std::uint8_t>(value >> 16),
                                 static_cast<std::uint8_t>(value >> 24)};
  Append(bytes, 4);
}

void CArchiveWriter::WriteFloat(float value) { WriteDword(std::bit_cast<std::uint32_t>(value)); }

// Below 255: one byte. Below 0xFFFE: 255 and a 16-bit length. Otherwise 255, 0xFFFF and a
// 32-bit length (0xFFFE is the UTF-16 marker, never a length).
void CArchiveWriter::WriteLength(std::uint64_t length) {
  if (length > 0xFFFFFFFFu) throw std::length_error("string longer than the archive can store");
  if (length < 0xFF) {
    const auto byte = static_cast<std::uint8_t>(length);
    Append(&byte, 1);
    return;
  }
  if (length < 0xFFFE) {
    const std::uint8_t word[3] = {0xFF, static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8)};
    Append(word, 3);
    return;
  }
  const std::uint8_t markers[3] = {0xFF, 0xFF, 0xFF};
  Append(markers, 3);
  WriteDword(static_cast<std::uint32_t>(length));
}

void CArchiveWriter::WriteString(std::string_view text) {
  WriteLength(text.size());
  Append(text.data(), text.size());
}

void CArchiveWriter::WriteUtf16String(std::u16string_view text) {
  const std::uint8_t marker[3] = {0xFF, 0xFE, 0xFF};
  Append(marker, 3);
  WriteLength(text.size());
  for (char16_t unit : text) {
    const std::uint8_t pair[2] = {static_cast<std::uint8_t>(unit), static_cast<std::uint8_t>(unit >> 8)};
    Append(pair, 2);
  }
}

void CArchiveWriter::WriteBytes(const std::vector<std::uint8_t>& bytes) { Append(bytes.data(), bytes.size()); }

void CArchiveWriter::WriteScrambled(const std::uint8_t* bytes, std::size_t count) {
  std::vector<std::uint8_t> scrambled(bytes, bytes + count);
  Unscramble(scrambled, ScrambleDirection::kScramble);
  WriteBytes(scrambled);
}

void CArchiveWriter::ScrambledString(std::string_view value) {
  WriteLength(value.size());
  WriteScrambled(reinterpret_cast<const std::uint8_t*>(value.data()), value.size());
}

void CArchiveWriter::ScrambledBytes(const CStoredBytes& value, std::uint32_t count) {
  if (value.size() != count) throw std::logic_error("byte count does not match the bytes");
  if (value.IsScrambled()) {  // the shift depends only on the length, which is the same
    std::vector<std::uint8_t> piece(std::min<std::size_t>(kPieceSize, count));
    for (std::uint64_t done = 0; done < count; done += piece.size()) {
      piece.resize(std::min<std::uint64_t>(piece.size(), count - done));
      value.ReadStored(done, piece);
      Append(piece.data(), piece.size());
    }
    return;
  }
  const std::uint8_t shift = ScrambleShift(count);
  std::vector<std::uint8_t> scrambled;
  value.ForEachPiece(kPieceSize, [&](std::span<const std::uint8_t> plain) {
    scrambled.assign(plain.begin(), plain.end());
    ShiftBytes(scrambled, shift, ScrambleDirection::kScramble);
    Append(scrambled.data(), scrambled.size());
  });
}

}  // namespace saver
