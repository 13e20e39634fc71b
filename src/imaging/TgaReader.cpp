// Truevision TGA: colour-mapped (8-bit indices into 15-, 16-, 24- or 32-bit entries), true
// colour (15, 16, 24, 32 bits) and grey (8 bits, or 16 with alpha), each raw or run-length
// coded, with any of the four origins. Alpha is ignored.
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/ByteReader.h"
#include "imaging/PictureLimits.h"
#include "imaging/PictureReaders.h"

namespace saver {
namespace {

constexpr std::uint8_t kRleFlag = 8;
enum ImageKind : std::uint8_t { kColourMapped = 1, kTrueColour = 2, kGrey = 3 };
constexpr std::uint8_t kRightToLeft = 0x10;
constexpr std::uint8_t kTopToBottom = 0x20;

struct TgaHeader {
  std::uint8_t id_length = 0, map_type = 0, image_type = 0;
  std::uint16_t map_first = 0, map_length = 0;
  std::uint8_t map_entry_bits = 0;
  std::uint16_t width = 0, height = 0;
  std::uint8_t pixel_bits = 0, descriptor = 0;
};

bool ReadHeader(CByteReader& in, TgaHeader& h) {
  std::uint16_t origin;
  return in.U8(h.id_length) && in.U8(h.map_type) && in.U8(h.image_type) && in.U16(h.map_first) &&
         in.U16(h.map_length) && in.U8(h.map_entry_bits) && in.U16(origin) && in.U16(origin) &&
         in.U16(h.width) && in.U16(h.height) && in.U8(h.pixel_bits) && in.U8(h.descriptor);
}

std::uint8_t Expand5(unsigned v) { return static_cast<std::uint8_t>(v * 255 / 31); }

// One stored colour (B, G, R order, or 15/16-bit A1R5G5B5) to R, G, B.
void ToRgb(const std::uint8_t* p, int bits, std::uint8_t* out) {
  if (bits == 15 || bits == 16) {
    unsigned v = p[0] | (p[1] << 8);
    out[0] = Expand5((v >> 10) & 31);
    out[1] = Expand5((v >> 5) & 31);
    out[2] = Expand5(v & 31);
  } else {
    out[0] = p[2];
    out[1] = p[1];
    out[2] = p[0];
  }
}

int BytesOf(int bits) { return (bits + 7) / 8; }

// Turns one stored pixel into R, G, B for the picture's kind.
class CPixelDecoder {
 public:
  // Reads the colour map; why the picture's kind cannot be decoded, or "" when it can.
  std::string Init(CByteReader& in, const TgaHeader& h) {
    kind_ = h.image_type & ~kRleFlag;
    bits_ = h.pixel_bits;
    std::size_t map_bytes = h.map_type == 1 ? std::size_t{h.map_length} * BytesOf(h.map_entry_bits) : 0;
    auto map = in.Take(map_bytes);
    if (map.size() != map_bytes) return "the colour map is cut short";
    const std::string bits = std::to_string(bits_) + " bits per pixel";
    switch (kind_) {
      case kColourMapped: {
        const int entry = h.map_entry_bits;
        if (h.map_type != 1 || bits_ != 8 || (entry != 15 && entry != 16 && entry != 24 && entry != 32))
          return "a colour-mapped picture needs 8-bit indices into a map of 15, 16, 24 or 32 bits";
        map_.assign(256 * 3, 0);
        for (int i = 0; i < h.map_length; ++i) {
          int index = h.map_first + i;
          if (index < 256) ToRgb(map.data() + i * BytesOf(entry), entry, map_.data() + index * 3);
        }
        return "";
      }
      case kTrueColour:
        if (bits_ == 15 || bits_ == 16 || bits_ == 24 || bits_ == 32) return "";
        return "true colour of " + bits + " is not supported";
      case kGrey: return bits_ == 8 || bits_ == 16 ? "" : "grey of " + bits + " is not supported";
      default: return "image type " + std::to_string(h.image_type) + " is not supported";
    }
  }
  int PixelBytes() const { return BytesOf(bits_); }
  void Decode(const std::uint8_t* p, std::uint8_t* out) const {
    switch (kind_) {
      case kColourMapped:
        out[0] = map_[p[0] * 3], out[1] = map_[p[0] * 3 + 1], out[2] = map_[p[0] * 3 + 2];
        break;
      case kGrey: out[0] = out[1] = out[2] = p[0]; break;
      default: ToRgb(p, bits_, out);
    }
  }

 private:
  int kind_ = 0;
  int bits_ = 0;
  std::vector<std::uint8_t> map_;
};

// Pixels in storage order; run-length packets may span rows.
class CPixelStream {
 public:
  CPixelStream(CByteReader& in, int pixel_bytes, bool rle) : in_(in), size_(pixel_bytes), rle_(rle) {}
  const std::uint8_t* Next() {
    if (left_ == 0 && rle_) {
      std::uint8_t packet;
      if (!in_.U8(packet)) return nullptr;
      left_ = (packet & 0x7F) + 1;
      repeat_ = (packet & 0x80) != 0;
      if (repeat_) {
        auto p = in_.Take(size_);
        if (p.empty()) return nullptr;
        repeated_ = p.data();
      }
    }
    if (left_ > 0) --left_;
    if (repeat_ && rle_) return repeated_;
    auto p = in_.Take(size_);
    return p.empty() ? nullptr : p.data();
  }

 private:
  CByteReader& in_;
  std::size_t size_;
  bool rle_;
  int left_ = 0;
  bool repeat_ = false;
  const std::uint8_t* repeated_ = nullptr;
};

// The most pixels the rest of the file can give: raw data stores every pixel, and run-length
// data at best one byte and one pixel for a run of 128. Anything the header claims beyond that
// would end in truncation, so it is refused before its buffer is made (TGA has no signature:
// any bytes may claim a picture of 65535 x 65535).
std::int64_t MostPixelsIn(std::size_t bytes_left, int pixel_bytes, bool rle) {
  const auto bytes = static_cast<std::int64_t>(bytes_left);
  return rle ? bytes / (1 + pixel_bytes) * 128 : bytes / pixel_bytes;
}

}  // namespace

std::optional<CPixelBuffer> ReadTga(std::span<const std::uint8_t> data, PictureRefusal* refusal) {
  const auto damaged = [refusal](const std::string& why) { return RefuseDamaged(refusal, "TGA decoder: " + why); };
  CByteReader in(data);
  TgaHeader h;
  if (!ReadHeader(in, h)) return damaged("the header is cut short");
  if (h.map_type > 1) return damaged("colour map type " + std::to_string(h.map_type) + " is not supported");
  if (h.width == 0 || h.height == 0) return damaged("the header gives the picture no pixels");
  if (!CanHoldPicture(h.width, h.height, refusal)) return std::nullopt;
  if (!in.Skip(h.id_length)) return damaged("the identification field is cut short");
  CPixelDecoder decoder;
  if (const std::string why = decoder.Init(in, h); !why.empty()) return damaged(why);
  const bool rle = (h.image_type & kRleFlag) != 0;
  if (std::int64_t{h.width} * h.height > MostPixelsIn(in.Remaining(), decoder.PixelBytes(), rle))
    return damaged("the pixel data is too short for " + std::to_string(h.width) + " x " + std::to_string(h.height) +
                   " pixels");
  auto out = AllocatePicture(h.width, h.height);
  if (!out) return std::nullopt;

  CPixelStream stream(in, decoder.PixelBytes(), rle);
  const bool top_down = h.descriptor & kTopToBottom, mirrored = h.descriptor & kRightToLeft;
  for (int row = 0; row < h.height; ++row) {
    std::uint8_t* line = out->Row(top_down ? row : h.height - 1 - row);
    for (int col = 0; col < h.width; ++col) {
      const std::uint8_t* p = stream.Next();
      if (!p) return damaged("the pixel data ends at row " + std::to_string(row));
      decoder.Decode(p, line + (mirrored ? h.width - 1 - col : col) * 3);
    }
  }
  return out;
}

}  // namespace saver
