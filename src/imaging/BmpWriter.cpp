#include "imaging/DibRows.h"
#include "imaging/PictureWriters.h"

namespace saver {

std::vector<std::uint8_t> EncodeBmp(const CPixelBuffer& pixels) {
  constexpr std::size_t kFileHeaderSize = 14;
  std::vector<std::uint8_t> dib = PackDib(pixels);
  if (dib.empty()) return {};
  std::vector<std::uint8_t> file(kFileHeaderSize);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = (v >> (8 * i)) & 0xFF;
  };
  file[0] = 'B', file[1] = 'M';
  put32(2, static_cast<std::uint32_t>(kFileHeaderSize + dib.size()));
  put32(10, static_cast<std::uint32_t>(kFileHeaderSize + kDibHeaderSize));
  file.insert(file.end(), dib.begin(), dib.end());
  return file;
}

}  // namespace saver
