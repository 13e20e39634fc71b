// Windows and OS/2 bitmaps: 1, 4, 8, 16, 24 and 32 bits per pixel, RLE8 and RLE4, bit fields,
// rows bottom-up (positive height) or top-down (negative height).
#include <bit>
#include <string>

#include "imaging/ByteReader.h"
#include "imaging/Palette.h"
#include "imaging/PictureLimits.h"
#include "imaging/PictureReaders.h"

namespace saver {
namespace {

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

struct BmpHeader {
  std::int64_t width = 0;
  std::int64_t height = 0;  // always positive here; top_down holds the sign
  bool top_down = false;
  std::uint16_t bits = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t colors_used = 0;
  std::uint32_t masks[3] = {};
  bool core = false;  // OS/2 header: 16-bit sizes, 3-byte palette entries
};

// One colour channel described by a bit mask, scaled to 0..255.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint32_t max = 0;

  explicit Channel(std::uint32_t m) : mask(m) {
    if (mask == 0) return;
    shift = std::countr_zero(mask);
    max = mask >> shift;
  }
  std::uint8_t Extract(std::uint32_t pixel) const {
    if (max == 0) return 0;
    return static_cast<std::uint8_t>(((pixel & mask) >> shift) * 255u / max);
  }
};

bool ReadHeader(CByteReader& in, BmpHeader& h) {
  std::uint32_t header_size;
  if (!in.U32(header_size)) return false;
  std::size_t header_start = in.Position() - 4;
  if (header_size == kCoreHeaderSize) {
    std::uint16_t w, ht, planes;
    if (!in.U16(w) || !in.U16(ht) || !in.U16(planes) || !in.U16(h.bits)) return false;
    h.width = w;
    h.height = ht;
    h.core = true;
    return true;
  }
  if (header_size < kInfoHeaderSize) return false;
  std::int32_t w, ht;
  std::uint16_t planes;
  std::uint32_t ignored;
  if (!in.I32(w) || !in.I32(ht) || !in.U16(planes) || !in.U16(h.bits) || !in.U32(h.compression) ||
      !in.U32(ignored) || !in.U32(ignored) || !in.U32(ignored) || !in.U32(h.colors_used) ||
      !in.U32(ignored))
    return false;
  h.width = w;
  h.top_down = ht < 0;
  h.height = ht < 0 ? -std::int64_t{ht} : ht;
  bool bitfields = h.compression == kBitFields || h.compression == kAlphaBitFields;
  // A 40-byte header keeps its masks just behind it; later versions hold them inside.
  if (bitfields && (!in.U32(h.masks[0]) || !in.U32(h.masks[1]) || !in.U32(h.masks[2]))) return false;
  if (header_size > kInfoHeaderSize && !in.Seek(header_start + header_size)) return false;
  return true;
}

bool ReadPalette(CByteReader& in, const BmpHeader& h, Palette& palette) {
  if (h.bits > 8) return true;
  std::uint32_t count = h.colors_used == 0 ? (1u << h.bits) : h.colors_used;
  if (count > 256) return false;
  std::size_t entry_size = h.core ? 3 : 4;
  for (std::uint32_t i = 0; i < count; ++i) {
    auto e = in.Take(entry_size);
    if (e.empty()) return false;
    palette.Set(static_cast<int>(i), e[2], e[1], e[0]);
  }
  return true;
}

bool IsRle(const BmpHeader& h) { return h.compression == kRle8 || h.compression == kRle4; }

// Why the pixels of a header's layout cannot be decoded, or "" when they can.
std::string UnsupportedLayout(const BmpHeader& h) {
  const std::string bits = std::to_string(h.bits) + " bits per pixel";
  if (IsRle(h)) {
    if (h.bits != (h.compression == kRle4 ? 4 : 8))
      return "run-length compression " + std::to_string(h.compression) + " with " + bits;
    return h.top_down ? "run-length data stored top-down" : "";
  }
  const bool bitfields = h.compression == kBitFields || h.compression == kAlphaBitFields;
  if (h.compression != kRgb && !bitfields) return "compression " + std::to_string(h.compression) + " is not supported";
  if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32)
    return bits + " are not supported";
  if (bitfields && h.bits != 16 && h.bits != 32) return "bit fields with " + bits;
  return "";
}

std::uint8_t IndexAt(const std::uint8_t* row, std::int64_t x, int bits) {
  switch (bits) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF;
    default: return row[x];
  }
}

// A row of a layout UnsupportedLayout accepts.
void DecodeRow(const std::uint8_t* src, const BmpHeader& h, const Palette& palette, const Channel (&ch)[3],
               std::uint8_t* out) {
  for (std::int64_t x = 0; x < h.width; ++x, out += 3) {
    switch (h.bits) {
      case 1:
      case 4:
      case 8: palette.CopyTo(IndexAt(src, x, h.bits), out); break;
      case 16: {
        std::uint32_t p = src[x * 2] | (src[x * 2 + 1] << 8);
        for (int c = 0; c < 3; ++c) out[c] = ch[c].Extract(p);
        break;
      }
      case 24:
        out[0] = src[x * 3 + 2];
        out[1] = src[x * 3 + 1];
        out[2] = src[x * 3];
        break;
      case 32: {
        const std::uint8_t* p = src + x * 4;
        std::uint32_t v = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
        for (int c = 0; c < 3; ++c) out[c] = ch[c].Extract(v);
        break;
      }
    }
  }
}

bool DecodeUncompressed(CByteReader& in, const BmpHeader& h, const Palette& palette, CPixelBuffer& out) {
  const bool bitfields = h.compression == kBitFields || h.compression == kAlphaBitFields;
  std::uint32_t masks[3] = {h.masks[0], h.masks[1], h.masks[2]};
  if (!bitfields && h.bits == 16) masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
  if (!bitfields && h.bits == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
  const Channel ch[3] = {Channel(masks[0]), Channel(masks[1]), Channel(masks[2])};

  std::size_t stride = static_cast<std::size_t>((h.width * h.bits + 31) / 32 * 4);
  for (std::int64_t row = 0; row < h.height; ++row) {
    auto src = in.Take(stride);
    if (src.empty()) return false;
    int y = static_cast<int>(h.top_down ? row : h.height - 1 - row);
    DecodeRow(src.data(), h, palette, ch, out.Row(y));
  }
  return true;
}

// Run-length coded 8- or 4-bit rows, bottom-up. Pixels the runs skip stay black; runs that
// overshoot the row are clipped. A stream that ends before its end marker is damaged.
bool DecodeRle(CByteReader& in, const BmpHeader& h, const Palette& palette, CPixelBuffer& out) {
  const bool four = h.compression == kRle4;
  std::int64_t x = 0, y = 0;  // y counts rows from the bottom
  auto put = [&](std::uint8_t index) {
    if (x < h.width && y < h.height) palette.CopyTo(index, out.Row(static_cast<int>(h.height - 1 - y)) + x * 3);
    ++x;
  };
  for (;;) {
    std::uint8_t count, value;
    if (!in.U8(count) || !in.U8(value)) return false;
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(four ? ((i & 1) ? value & 0xF : value >> 4) : value);
      continue;
    }
    switch (value) {
      case 0: x = 0, ++y; break;   // end of row
      case 1: return true;          // end of picture
      case 2: {                     // move right and up
        std::uint8_t dx, dy;
        if (!in.U8(dx) || !in.U8(dy)) return false;
        x += dx, y += dy;
        break;
      }
      default: {  // `value` literal pixels, padded to a 16-bit boundary
        std::size_t bytes = four ? (value + 1u) / 2 : value;
        auto lit = in.Take(bytes);
        if (lit.empty() || !in.Skip(bytes & 1)) return false;
        for (int i = 0; i < value; ++i) put(four ? ((i & 1) ? lit[i / 2] & 0xF : lit[i / 2] >> 4) : lit[i]);
      }
    }
    if (y >= h.height) return true;
  }
}

}  // namespace

std::optional<CPixelBuffer> ReadBmp(std::span<const std::uint8_t> data, PictureRefusal* refusal) {
  const auto damaged = [refusal](const std::string& why) { return RefuseDamaged(refusal, "BMP decoder: " + why); };
  CByteReader in(data);
  std::uint16_t magic;
  std::uint32_t ignored, pixel_offset;
  if (!in.U16(magic) || magic != 0x4D42) return damaged("the data does not start with \"BM\"");
  if (!in.U32(ignored) || !in.U32(ignored) || !in.U32(pixel_offset)) return damaged("the file header is cut short");
  BmpHeader h;
  Palette palette;
  if (!ReadHeader(in, h)) return damaged("the bitmap header is cut short or of an unknown size");
  if (h.width <= 0 || h.height <= 0) return damaged("the header gives the picture no pixels");
  if (!CanHoldPicture(h.width, h.height, refusal)) return std::nullopt;
  if (const std::string unsupported = UnsupportedLayout(h); !unsupported.empty()) return damaged(unsupported);
  if (!ReadPalette(in, h, palette)) return damaged("the palette is cut short or holds more than 256 colours");
  if (pixel_offset < kFileHeaderSize || !in.Seek(pixel_offset))
    return damaged("the pixel data starts outside the file");
  auto out = AllocatePicture(h.width, h.height);
  if (!out) return std::nullopt;
  if (IsRle(h) ? !DecodeRle(in, h, palette, *out) : !DecodeUncompressed(in, h, palette, *out))
    return damaged(IsRle(h) ? "the run-length data ends before its end marker" : "the pixel data is cut short");
  return out;
}

}  // namespace saver
