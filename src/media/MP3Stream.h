#pragma once
#include <cstddef>
#include <cstdint>

#include "media/MP3Formats.h"
#include "media/MP3FrameHeader.h"

namespace saver {

// The MP3 bytes of one track, read in place (never copied), and what their first frame header
// says. The caller's block must outlive every pass that reads it.
class CMP3Stream {
 public:
  // Points the stream at the block and forgets any header found before.
  void Attach(const std::uint8_t* data, std::size_t size);
  // Looks for the first frame header that starts within the first 10240 bytes; true when found.
  // A failed search leaves the values of an earlier one as they were.
  bool FindHeader();
  // Fills both formats from the stored header (see BuildMP3Formats).
  void BuildFormats(PcmFormat& destination, MP3SourceFormat& source) const;

  bool HeaderFound() const { return header_found_; }
  const MP3FrameHeader& Header() const { return header_; }
  // Byte position of the header that FindHeader found.
  std::size_t HeaderOffset() const { return header_offset_; }

  std::size_t Length() const { return size_; }
  // Moves the read position; positions past the end are clamped to the end.
  void Seek(std::size_t position);
  // Copies up to `count` bytes from the read position and advances it; returns the bytes copied.
  std::size_t Read(std::uint8_t* out, std::size_t count);

 private:
  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t position_ = 0;
  bool header_found_ = false;
  MP3FrameHeader header_;
  std::size_t header_offset_ = 0;
};

}  // namespace saver
