// Feeds arbitrary bytes to the PNG reader: it must refuse or decode, never crash or hang.
#include <cstddef>
#include <cstdint>

#include "imaging/PictureReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto pixels = saver::ReadPng({data, size});
  if (pixels) {
    volatile std::uint8_t sink = pixels->ByteCount() ? pixels->Data()[pixels->ByteCount() - 1] : 0;
    (void)sink;
  }
  return 0;
}
