#pragma once
// What the fuzz targets share: a sink that drops the pictures code's messages, and the run of
// one picture reader over arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string_view>

#include "imaging/MessageSink.h"
#include "imaging/PictureRefusal.h"
#include "imaging/PixelBuffer.h"

namespace saver::fuzz {

struct IgnoreMessages : CMessageSink {
  void Show(std::string_view) override {}
};

using PictureReader = std::optional<CPixelBuffer> (*)(std::span<const std::uint8_t>, PictureRefusal*);

// The reader must refuse or decode, never crash or hang, and a refusal for size must say so. The
// last decoded byte is read so that a buffer smaller than the size it claims shows up under the
// sanitizers.
inline int FuzzPictureReader(PictureReader reader, const std::uint8_t* data, std::size_t size) {
  PictureRefusal refusal;
  auto pixels = reader({data, size}, &refusal);
  if (refusal.reason == PictureRefusal::Reason::TooLarge && (pixels || refusal.message.empty())) std::abort();
  if (pixels) {
    volatile std::uint8_t sink = pixels->ByteCount() ? pixels->Data()[pixels->ByteCount() - 1] : 0;
    (void)sink;
  }
  return 0;
}

}  // namespace saver::fuzz
