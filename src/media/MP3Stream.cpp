#include "media/MP3Stream.h"

#include <algorithm>
#include <cstring>

namespace saver {

void CMP3Stream::Attach(const std::uint8_t* data, std::size_t size) {
  data_ = data;
  size_ = data ? size : 0;
  position_ = 0;
  header_found_ = false;
}

bool CMP3Stream::FindHeader() {
  for (std::size_t p = 0; p < kMP3HeaderSearchLimit; ++p) {
    std::uint8_t bytes[4];
    Seek(p);
    if (Read(bytes, sizeof bytes) != sizeof bytes) break;  // no later position has 4 bytes either
    const std::uint32_t word = (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
                               (std::uint32_t{bytes[2]} << 8) | bytes[3];
    if (const auto header = DecodeMP3FrameHeader(word)) {
      header_ = *header;
      header_offset_ = p;
      header_found_ = true;
      return true;
    }
  }
  header_found_ = false;
  return false;
}

void CMP3Stream::BuildFormats(PcmFormat& destination, MP3SourceFormat& source) const {
  BuildMP3Formats(header_, destination, source);
}

void CMP3Stream::Seek(std::size_t position) { position_ = std::min(position, size_); }

std::size_t CMP3Stream::Read(std::uint8_t* out, std::size_t count) {
  const std::size_t n = std::min(count, size_ - position_);
  if (n > 0) std::memcpy(out, data_ + position_, n);
  position_ += n;
  return n;
}

}  // namespace saver
