#pragma once
// One ACM conversion stream from MPEG layer 3 to PCM with its source and destination buffers,
// opened, sized, used and closed once per playing pass.
#include <windows.h>
// <windows.h> leaves the multimedia declarations out when built lean.
#include <mmsystem.h>
#include <mmreg.h>
#include <msacm.h>

#include <cstdint>
#include <vector>

#include "media/MP3ChunkSequence.h"
#include "media/win/ScopedMedia.h"

namespace saver::win {

class CAcmStream {
 public:
  CAcmStream();
  ~CAcmStream() { Close(); }
  CAcmStream(const CAcmStream&) = delete;
  CAcmStream& operator=(const CAcmStream&) = delete;

  // Opens a non-real-time stream on whichever driver takes the two formats.
  bool Open(const MPEGLAYER3WAVEFORMAT& source, const WAVEFORMATEX& destination);
  // Asks the codec how much PCM 131072 MP3 bytes can give, makes both buffers and prepares the
  // stream header on them.
  bool MakeBuffers();
  // Converts the header's cbSrcLength bytes of the source buffer.
  bool Convert(ChunkKind kind);
  // Unprepares the header, closes the stream and frees the buffers; harmless when closed.
  void Close();

  ACMSTREAMHEADER& Header() { return header_; }
  std::uint8_t* SourceBuffer() { return source_.data(); }
  const std::uint8_t* DestinationBuffer() const { return destination_.data(); }
  DWORD DestinationSize() const { return destination_size_; }
  MMRESULT LastResult() const { return last_result_; }

 private:
  bool Keep(MMRESULT result) {
    last_result_ = result;
    return result == MMSYSERR_NOERROR;
  }

  ACMSTREAMHEADER header_{};
  ScopedAcmStream stream_;
  DWORD destination_size_ = kMP3ChunkBytes;
  MMRESULT last_result_ = MMSYSERR_NOERROR;
  std::vector<std::uint8_t> source_;
  std::vector<std::uint8_t> destination_;
  bool prepared_ = false;
};

// True when the system has an ACM codec for format tag 0x0055 (MPEG layer 3).
bool MP3CodecPresent();

}  // namespace saver::win
