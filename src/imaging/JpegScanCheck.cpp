#include "imaging/JpegScanCheck.h"

#include <memory>

#include "imaging/JpegHuffman.h"

namespace saver {

bool ScanIsSurelyIntact(const jpeg_decompress_struct& started) {
  using namespace jpeg;
  if (!IsSingleHuffmanScan(started)) return false;
  auto tables = std::make_unique<CScanTables>();
  if (!tables->Build(started)) return false;

  CSegmentBits bits(started.src->next_input_byte, started.src->next_input_byte + started.src->bytes_in_buffer);
  CMcuSequence mcus(started, bits);
  const std::uint64_t count = std::uint64_t{started.MCUs_per_row} * started.MCU_rows_in_scan;
  for (std::uint64_t mcu = 0; mcu < count; ++mcu) {
    if (!mcus.Next()) return false;
    for (int b = 0; b < started.blocks_in_MCU; ++b) {
      if (!SkipBlock(bits, tables->Block(b))) return false;
    }
  }
  return mcus.End();
}

}  // namespace saver
