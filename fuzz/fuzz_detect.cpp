// Detection and the whole decode dispatch on arbitrary bytes: the first byte picks a file
// name (none, ".tga", ".wbmp") so the name rules are reached too.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "imaging/DecodePicture.h"
#include "imaging/PictureFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  constexpr const char* kNames[] = {"", "x.tga", "x.WBMP"};
  auto format = saver::DetectPictureFormat({data + 1, size - 1}, kNames[data[0] % 3]);
  if (static_cast<int>(format) < 0 || static_cast<int>(format) > 19) __builtin_trap();
  saver::fuzz::IgnoreMessages messages;
  saver::Size size_out;
  saver::DecodePicture({data + 1, size - 1}, size_out, messages);
  return 0;
}
