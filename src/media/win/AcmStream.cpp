#include "media/win/AcmStream.h"

#include "media/MP3Formats.h"

namespace saver::win {
namespace {

DWORD ConvertFlags(ChunkKind kind) {
  switch (kind) {
    case ChunkKind::kFirst: return ACM_STREAMCONVERTF_START | ACM_STREAMCONVERTF_BLOCKALIGN;
    case ChunkKind::kMiddle: return ACM_STREAMCONVERTF_BLOCKALIGN;
    case ChunkKind::kLast: return ACM_STREAMCONVERTF_END | ACM_STREAMCONVERTF_BLOCKALIGN;
  }
  return ACM_STREAMCONVERTF_BLOCKALIGN;
}

}  // namespace

// cbStruct is 84 in a 32-bit process; the 64-bit structure is larger, so the size is taken.
CAcmStream::CAcmStream() { header_.cbStruct = sizeof header_; }

bool CAcmStream::Open(const MPEGLAYER3WAVEFORMAT& source, const WAVEFORMATEX& destination) {
  // acmStreamOpen takes non-const formats but only reads them.
  MPEGLAYER3WAVEFORMAT source_copy = source;
  WAVEFORMATEX destination_copy = destination;
  HACMSTREAM stream = nullptr;
  const bool opened = Keep(acmStreamOpen(&stream, nullptr, &source_copy.wfx, &destination_copy, nullptr, 0, 0,
                                         ACM_STREAMOPENF_NONREALTIME));
  if (opened) stream_.Reset(stream);
  return opened;
}

bool CAcmStream::MakeBuffers() {
  DWORD size = 0;
  if (!Keep(acmStreamSize(stream_.Get(), kMP3ChunkBytes, &size, ACM_STREAMSIZEF_SOURCE))) return false;
  destination_size_ = size;
  source_.assign(kMP3ChunkBytes, 0);
  destination_.assign(destination_size_, 0);
  header_.pbSrc = source_.data();
  header_.cbSrcLength = kMP3ChunkBytes;
  header_.pbDst = destination_.data();
  header_.cbDstLength = destination_size_;
  prepared_ = Keep(acmStreamPrepareHeader(stream_.Get(), &header_, 0));
  return prepared_;
}

bool CAcmStream::Convert(ChunkKind kind) {
  return Keep(acmStreamConvert(stream_.Get(), &header_, ConvertFlags(kind)));
}

void CAcmStream::Close() {
  if (prepared_) {
    // Unpreparing wants the lengths the header was prepared with.
    header_.cbSrcLength = kMP3ChunkBytes;
    header_.cbDstLength = destination_size_;
    acmStreamUnprepareHeader(stream_.Get(), &header_, 0);
    prepared_ = false;
  }
  stream_.Reset();
  source_ = {};
  destination_ = {};
  header_ = ACMSTREAMHEADER{};
  header_.cbStruct = sizeof header_;
}

bool MP3CodecPresent() {
  ACMFORMATTAGDETAILSA details{};
  details.cbStruct = sizeof details;  // 72
  details.dwFormatTag = kWaveFormatMpegLayer3;
  details.cbFormatSize = 50;
  return acmFormatTagDetailsA(nullptr, &details, ACM_FORMATTAGDETAILSF_FORMATTAG) == MMSYSERR_NOERROR;
}

}  // namespace saver::win
