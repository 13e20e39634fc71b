// ZSoft PCX: 1 bit (monochrome), 1 bit in 4 planes and 4 bits (16 colours from the header),
// 8 bits (256 colours from the palette behind the pixels) and 8 bits in 3 planes (true colour).
#include <string>
#include <vector>

#include "imaging/ByteReader.h"
#include "imaging/Palette.h"
#include "imaging/PictureLimits.h"
#include "imaging/PictureReaders.h"

namespace saver {
namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kHeaderPaletteOffset = 16;
constexpr std::size_t kVgaPaletteSize = 769;  // marker 0x0C and 256 RGB triples
constexpr std::uint8_t kVgaPaletteMarker = 0x0C;

struct PcxHeader {
  std::uint8_t encoding = 0;
  std::uint8_t bits = 0;
  std::uint16_t xmin = 0, ymin = 0, xmax = 0, ymax = 0;
  std::uint8_t planes = 0;
  std::uint16_t bytes_per_line = 0;
};

enum class Layout { Mono, Planar16, Packed16, Indexed256, TrueColour };

std::optional<Layout> LayoutOf(const PcxHeader& h) {
  if (h.bits == 1 && h.planes == 1) return Layout::Mono;
  if (h.bits == 1 && h.planes == 4) return Layout::Planar16;
  if (h.bits == 4 && h.planes == 1) return Layout::Packed16;
  if (h.bits == 8 && h.planes == 1) return Layout::Indexed256;
  if (h.bits == 8 && h.planes == 3) return Layout::TrueColour;
  return std::nullopt;
}

// Run-length decoding as one stream: a run may carry over from one scan line to the next.
class CRleStream {
 public:
  CRleStream(CByteReader& in, bool encoded) : in_(in), encoded_(encoded) {}
  bool Fill(std::uint8_t* out, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
      if (run_ == 0 && !NextRun()) return false;
      out[i] = value_;
      --run_;
    }
    return true;
  }

 private:
  bool NextRun() {
    do {
      std::uint8_t b;
      if (!in_.U8(b)) return false;
      if (encoded_ && (b & 0xC0) == 0xC0) {
        run_ = b & 0x3F;  // a run of 0 carries nothing: read on
        if (!in_.U8(value_)) return false;
      } else {
        run_ = 1;
        value_ = b;
      }
    } while (run_ == 0);
    return true;
  }
  CByteReader& in_;
  bool encoded_;
  std::size_t run_ = 0;
  std::uint8_t value_ = 0;
};

void DecodeLine(Layout layout, const std::uint8_t* line, std::size_t bpl, const Palette& palette,
                int width, std::uint8_t* out) {
  for (int x = 0; x < width; ++x, out += 3) {
    const int bit = 7 - (x & 7);
    switch (layout) {
      case Layout::Mono: {
        std::uint8_t v = ((line[x >> 3] >> bit) & 1) ? 255 : 0;
        out[0] = out[1] = out[2] = v;
        break;
      }
      case Layout::Planar16: {
        std::uint8_t index = 0;
        for (int p = 0; p < 4; ++p) index |= ((line[p * bpl + (x >> 3)] >> bit) & 1) << p;
        palette.CopyTo(index, out);
        break;
      }
      case Layout::Packed16: palette.CopyTo((line[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF, out); break;
      case Layout::Indexed256: palette.CopyTo(line[x], out); break;
      case Layout::TrueColour:
        for (int c = 0; c < 3; ++c) out[c] = line[c * bpl + x];
        break;
    }
  }
}

}  // namespace

std::optional<CPixelBuffer> ReadPcx(std::span<const std::uint8_t> data, PictureRefusal* refusal) {
  const auto damaged = [refusal](const std::string& why) { return RefuseDamaged(refusal, "PCX decoder: " + why); };
  CByteReader in(data);
  PcxHeader h;
  std::uint8_t manufacturer, version;
  if (!in.U8(manufacturer) || manufacturer != 0x0A) return damaged("the data does not start with byte 0x0A");
  if (!in.U8(version) || !in.U8(h.encoding) || !in.U8(h.bits) || !in.U16(h.xmin) || !in.U16(h.ymin) ||
      !in.U16(h.xmax) || !in.U16(h.ymax) || !in.Seek(65) || !in.U8(h.planes) || !in.U16(h.bytes_per_line) ||
      !in.Seek(kHeaderSize))
    return damaged("the header is cut short");
  auto layout = LayoutOf(h);
  if (!layout)
    return damaged(std::to_string(h.bits) + " bits x " + std::to_string(h.planes) + " planes are not supported");
  if (h.encoding > 1) return damaged("encoding " + std::to_string(h.encoding) + " is not supported");
  if (h.xmax < h.xmin || h.ymax < h.ymin) return damaged("the header's window ends before it starts");
  const std::int64_t width = h.xmax - h.xmin + 1, height = h.ymax - h.ymin + 1;
  if (!CanHoldPicture(width, height, refusal)) return std::nullopt;
  if (h.bytes_per_line < (width * h.bits + 7) / 8) return damaged("the scan lines are shorter than the picture");

  Palette palette;
  std::span<const std::uint8_t> pixels = data.subspan(kHeaderSize);
  if (*layout == Layout::Indexed256) {
    if (data.size() < kHeaderSize + kVgaPaletteSize || data[data.size() - kVgaPaletteSize] != kVgaPaletteMarker)
      return damaged("the 256-colour palette at the end of the file is missing");
    auto vga = data.last(kVgaPaletteSize);
    for (int i = 0; i < 256; ++i) palette.Set(i, vga[1 + i * 3], vga[2 + i * 3], vga[3 + i * 3]);
    pixels = pixels.first(pixels.size() - kVgaPaletteSize);
  } else {
    for (int i = 0; i < 16; ++i) {
      const std::uint8_t* e = data.data() + kHeaderPaletteOffset + i * 3;
      palette.Set(i, e[0], e[1], e[2]);
    }
  }

  auto out = AllocatePicture(width, height);
  if (!out) return std::nullopt;
  CByteReader pixel_in(pixels);
  CRleStream stream(pixel_in, h.encoding == 1);
  const std::size_t bpl = h.bytes_per_line;
  std::vector<std::uint8_t> line(bpl * h.planes);
  for (int y = 0; y < height; ++y) {
    if (!stream.Fill(line.data(), line.size())) return damaged("the pixel data ends at line " + std::to_string(y));
    DecodeLine(*layout, line.data(), bpl, palette, static_cast<int>(width), out->Row(y));
  }
  return out;
}

}  // namespace saver
