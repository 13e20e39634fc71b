#include "media/win/MP3Conversion.h"

#include <algorithm>

#include "media/win/WaveFormats.h"

namespace saver::win {

bool CMP3Conversion::Prepare(const std::uint8_t* data, std::size_t size, PcmFormat& destination,
                             MP3SourceFormat& source) {
  Close();
  half_rate_refusal_ = MMSYSERR_NOERROR;
  stream_.Attach(data, size);
  chunks_ = CMP3ChunkSequence(stream_.Length());
  if (!stream_.FindHeader()) return false;
  stream_.BuildFormats(destination, source);
  if (!Open(destination, source)) {
    if (destination.samples_per_sec == source.wave.samples_per_sec) return false;
    half_rate_refusal_ = acm_.LastResult();
    SetPcmRate(destination, source.wave.samples_per_sec);
    if (!Open(destination, source)) return false;
  }
  if (acm_.MakeBuffers()) return true;
  Close();
  return false;
}

bool CMP3Conversion::Open(const PcmFormat& destination, const MP3SourceFormat& source) {
  return acm_.Open(ToMpegLayer3(source), ToWaveFormatEx(destination));
}

std::optional<std::span<const std::uint8_t>> CMP3Conversion::ConvertNext() {
  ACMSTREAMHEADER& header = acm_.Header();
  std::uint32_t offered = header.cbSrcLength;
  const auto chunk = chunks_.Next(offered);
  header.cbSrcLength = offered;
  stream_.Seek(chunk.offset);
  stream_.Read(acm_.SourceBuffer(), chunk.length);
  last_kind_ = chunk.kind;
  if (!acm_.Convert(chunk.kind)) return std::nullopt;
  chunks_.Consumed(header.cbSrcLengthUsed);
  return std::span<const std::uint8_t>(acm_.DestinationBuffer(),
                                       std::min<DWORD>(header.cbDstLengthUsed, acm_.DestinationSize()));
}

}  // namespace saver::win
