// Feeds arbitrary bytes to the BMP reader: it must refuse or decode, never crash or hang.
#include "FuzzSupport.h"
#include "imaging/PictureReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return saver::fuzz::FuzzPictureReader(saver::ReadBmp, data, size);
}
