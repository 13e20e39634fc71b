#pragma once
// Small pictures encoded at test time, in every layout the readers accept.
#include <cstdint>
#include <vector>

#include "imaging/PixelBuffer.h"

namespace saver::test {

using Bytes = std::vector<std::uint8_t>;

// A picture whose pixels all differ from their neighbours, so a wrong row order, mirror or
// channel order shows. With `colours` > 0 it uses only the first `colours` entries of
// TestPalette().
CPixelBuffer TestPicture(int width, int height, int colours = 0);
// A photograph-like picture: lit shading, a hard-edged disc and fine grain of +-4 levels, the
// mix of low and high detail a camera picture has.
CPixelBuffer PhotoLike(int width, int height);
// Mean of the absolute channel differences of two pictures of one size, in levels.
double MeanDifference(const CPixelBuffer& a, const CPixelBuffer& b);
// 256 distinct colours; entry i of TestPalette() as COLORREF.
std::uint32_t TestPaletteColour(int index);
int TestPictureIndex(int x, int y, int colours);

// BMP, as Windows writes it. `bits` 1, 4, 8 (palette of 1 << bits), 16 (5-5-5), 24 or 32.
Bytes BmpFile(const CPixelBuffer& p, int bits, bool top_down = false, int colours = 0);
// 16- or 32-bit with explicit masks (5-6-5 for 16 bits, R in the low byte for 32 bits).
Bytes BmpBitFields(const CPixelBuffer& p, int bits);
// OS/2 bitmap with a 12-byte header, 8 bits.
Bytes BmpCore(const CPixelBuffer& p, int colours);
// RLE8 or RLE4 (`bits` 8 or 4): runs where a row repeats, literal groups elsewhere.
Bytes BmpRle(const CPixelBuffer& p, int bits, int colours);

// PCX: `bits` x `planes` of 1x1, 1x4, 4x1, 8x1 or 8x3.
Bytes PcxFile(const CPixelBuffer& p, int bits, int planes, int colours = 0);

// TGA: `type` 1/9 (colour-mapped 8-bit, 24-bit map), 2/10 (true colour `bits` 16, 24 or 32),
// 3/11 (grey 8-bit: the picture's red channel). `descriptor` sets the origin bits (0x20 top, 0x10
// right). `footer` appends the TGA 2.0 footer.
Bytes TgaFile(const CPixelBuffer& p, int type, int bits, std::uint8_t descriptor, bool footer, int colours = 0);

// PNG through libpng: `colour_type` and `bit_depth` as in the PNG header; pixels are taken from
// the picture (grey from its red channel, indices by TestPictureIndex, alpha from `alpha` per
// pixel when the type has alpha or `transparent_index` >= 0 marks one palette entry).
Bytes PngFile(const CPixelBuffer& p, int colour_type, int bit_depth, bool interlaced, int colours = 0,
              const std::vector<std::uint8_t>& alpha = {}, int transparent_index = -1);

enum class JpegKind { Baseline, Progressive, Arithmetic, Grey, AdobeCmyk };
// How the first component is sampled (0: libjpeg's default, 2 x 2 for colour), how many MCUs
// each restart interval holds (0: no restart markers), and whether the DC differences are coded
// with a table of their own whose codes for small differences are long (8 to 12 bits, where
// libjpeg's standard tables give 2 to 4).
struct JpegLayout {
  int luma_h = 0, luma_v = 0;
  unsigned restart_interval = 0;
  bool long_dc_codes = false;
};
// JPEG through libjpeg at quality 95 (grey from the red channel; CMYK stored inverted as
// Adobe does, with K = 255 - max(R, G, B)).
Bytes JpegFile(const CPixelBuffer& p, JpegKind kind, JpegLayout layout = {});
// The file with its frame header (SOF0 or SOF2) claiming `width` x `height`: the header is read
// as that size, the data behind it is then too short for it.
Bytes WithJpegSize(Bytes file, int width, int height);
// Offset of the last marker FF `code` (entropy-coded data stuffs every FF, so a match is a
// marker); the file's size when there is none.
std::size_t LastMarker(const Bytes& file, std::uint8_t code);
// The file with byte `at` set to `value`.
Bytes WithByte(Bytes file, std::size_t at, std::uint8_t value);
// Where the entropy-coded data of the scan whose header starts at `sos` begins.
std::size_t ScanData(const Bytes& file, std::size_t sos);

}  // namespace saver::test
