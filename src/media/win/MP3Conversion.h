#pragma once
// One playing pass of an MP3 block turned into PCM: the header search, the formats, the ACM
// stream and the chunk after chunk conversion that fills the wave buffers.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

#include "media/MP3Stream.h"
#include "media/MP3ChunkSequence.h"
#include "media/MP3Formats.h"
#include "media/win/AcmStream.h"

namespace saver::win {

class CMP3Conversion {
 public:
  // Finds the header, builds both formats into the borrowed ones and opens and sizes the ACM
  // stream. Codecs that refuse PCM at half the MP3 rate (Wine's does) get the MP3's own rate, so
  // the music still plays. False, with everything closed, when any step fails.
  bool Prepare(const std::uint8_t* data, std::size_t size, PcmFormat& destination, MP3SourceFormat& source);
  // Converts the next chunk; its PCM stays valid until the next call. None on a codec failure.
  std::optional<std::span<const std::uint8_t>> ConvertNext();
  // True once all bytes are consumed, or once the codec consumed nothing of a chunk.
  bool AtEnd() const { return chunks_.AtEnd(); }
  void Close() { acm_.Close(); }

  DWORD DestinationSize() const { return acm_.DestinationSize(); }
  MMRESULT LastResult() const { return acm_.LastResult(); }
  // The result of an open refused at half the rate, or 0 when the first open succeeded.
  MMRESULT HalfRateRefusal() const { return half_rate_refusal_; }
  ChunkKind LastKind() const { return last_kind_; }

 private:
  bool Open(const PcmFormat& destination, const MP3SourceFormat& source);

  CMP3Stream stream_;
  CAcmStream acm_;
  CMP3ChunkSequence chunks_{0};
  MMRESULT half_rate_refusal_ = MMSYSERR_NOERROR;
  ChunkKind last_kind_ = ChunkKind::kFirst;
};

}  // namespace saver::win
