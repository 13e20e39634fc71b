#include "slideshow/MusicFile.h"

#include <cstring>

#include "media/MP3FrameHeader.h"

namespace saver::tool {
namespace {

bool StartsWith(std::span<const std::uint8_t> bytes, std::size_t at, const char* text) {
  const std::size_t length = std::strlen(text);
  return bytes.size() >= at + length && std::memcmp(bytes.data() + at, text, length) == 0;
}

// Where the audio starts: after an ID3v2 tag (10-byte header, size in four 7-bit bytes).
std::size_t AudioStart(std::span<const std::uint8_t> bytes) {
  if (!StartsWith(bytes, 0, "ID3") || bytes.size() < 10) return 0;
  const std::size_t size = (std::size_t{bytes[6]} << 21) | (std::size_t{bytes[7]} << 14) |
                           (std::size_t{bytes[8]} << 7) | bytes[9];
  return 10 + size;
}

bool HasLayer3Header(std::span<const std::uint8_t> bytes) {
  const std::size_t start = AudioStart(bytes);
  for (std::size_t i = start; i + 4 <= bytes.size() && i < start + kMP3HeaderSearchLimit; ++i) {
    const std::uint32_t word = (std::uint32_t{bytes[i]} << 24) | (std::uint32_t{bytes[i + 1]} << 16) |
                               (std::uint32_t{bytes[i + 2]} << 8) | bytes[i + 3];
    const std::optional<MP3FrameHeader> header = DecodeMP3FrameHeader(word);
    if (header && header->layer == 3) return true;
  }
  return false;
}

}  // namespace

std::string MusicKind(std::span<const std::uint8_t> bytes) {
  if (StartsWith(bytes, 0, "RIFF") && StartsWith(bytes, 8, "WAVE")) return "wav";
  if (HasLayer3Header(bytes)) return "mp3";
  return {};
}

}  // namespace saver::tool
