// PNG through libpng: every colour type and bit depth, interlaced or not. Palette, grey and
// 16-bit samples become 8-bit R, G, B; alpha (a channel or a tRNS chunk) is flattened onto
// black. Gamma chunks are not applied, as no other format's pixels are corrected either.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include <png.h>

#include "imaging/PictureLimits.h"
#include "imaging/PictureReaders.h"

namespace saver {
namespace {

// Chunks other than the pixels (text, profiles) are not needed; a file that declares a huge
// one is refused rather than buffered.
constexpr png_alloc_size_t kMaxChunkBytes = 8u << 20;
// Deflate never inflates more than 1032 times its input: a header that claims more pixel data
// than the rest of the file could give is refused before its buffer is made.
constexpr std::uint64_t kMaxInflateRatio = 1032;

struct MemoryInput {
  std::span<const std::uint8_t> data;
  std::size_t pos = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t n) {
  auto* in = static_cast<MemoryInput*>(png_get_io_ptr(png));
  if (n > in->data.size() - in->pos) png_error(png, "unexpected end of file");
  std::memcpy(out, in->data.data() + in->pos, n);
  in->pos += n;
}

// The size the header chunk claims, judged before libpng reads it: libpng refuses a side beyond
// its user limit without saying why. Sides PNG cannot state are left to libpng to refuse.
bool HeaderSizeCanBeHeld(std::span<const std::uint8_t> data, PictureRefusal* refusal) {
  constexpr std::size_t kTypeAt = 12, kWidthAt = 16, kHeightAt = 20, kSizeEnd = 24;
  if (data.size() < kSizeEnd || std::memcmp(data.data() + kTypeAt, "IHDR", 4) != 0) return true;
  const png_uint_32 width = png_get_uint_32(data.data() + kWidthAt), height = png_get_uint_32(data.data() + kHeightAt);
  if (width > PNG_UINT_31_MAX || height > PNG_UINT_31_MAX) return true;
  return CanHoldPicture(width, height, refusal);
}

// libpng's own buffers (rows of at most 8 bytes a pixel, chunks up to kMaxChunkBytes, zlib's
// window) stay far below this; a damaged stream that talks libpng into asking for more is refused
// instead of being given gigabytes.
constexpr png_alloc_size_t kMaxLibpngAllocation = 64u << 20;

png_voidp BoundedMalloc(png_structp, png_alloc_size_t size) {
  return size <= kMaxLibpngAllocation ? std::malloc(size) : nullptr;
}
void PlainFree(png_structp, png_voidp pointer) { std::free(pointer); }

// Why a read failed: libpng's own message, or the reader's. A fixed buffer, as nothing that may
// throw runs inside libpng's callbacks.
struct ErrorText {
  char text[160] = "";
  void Set(png_const_charp message) { std::snprintf(text, sizeof(text), "%s", message); }
};

// libpng's default error handler prints and then jumps; this one keeps the message and jumps.
[[noreturn]] void JumpOnError(png_structp png, png_const_charp message) {
  static_cast<ErrorText*>(png_get_error_ptr(png))->Set(message);
  png_longjmp(png, 1);
}
void IgnoreWarning(png_structp, png_const_charp) {}

struct Session {
  ErrorText error;
  png_structp png = nullptr;
  png_infop info = nullptr;
  MemoryInput input;
  std::vector<std::uint8_t> rgba;  // 4-channel pixels when the file carries alpha
  std::vector<png_bytep> rows;
  ~Session() { png_destroy_read_struct(&png, &info, nullptr); }
};

void FlattenOntoBlack(const std::uint8_t* rgba, std::size_t pixels, std::uint8_t* rgb) {
  for (std::size_t i = 0; i < pixels; ++i, rgba += 4, rgb += 3)
    for (int c = 0; c < 3; ++c) rgb[c] = static_cast<std::uint8_t>((rgba[c] * rgba[3] + 127) / 255);
}

// libpng leaves this frame by longjmp: nothing in it has a destructor.
bool Run(Session& s, std::optional<CPixelBuffer>& out) {
  s.png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, &s.error, JumpOnError, IgnoreWarning, nullptr, BoundedMalloc,
                                   PlainFree);
  if (!s.png) return false;
  s.info = png_create_info_struct(s.png);
  if (!s.info) return false;
  if (setjmp(png_jmpbuf(s.png))) return false;
  png_set_read_fn(s.png, &s.input, ReadFromMemory);
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
  // Nearly every mutated input would stop at a chunk's CRC or zlib's Adler-32; the fuzz build
  // lets zlib's check and the ancillary chunks' CRCs pass so that the fuzzer reaches the decoding
  // behind them. Critical chunks keep their CRC: past a damaged one libpng misreads the stream and
  // may allocate gigabytes for a 400-byte file, which no real decode ever reaches.
  png_set_crc_action(s.png, PNG_CRC_DEFAULT, PNG_CRC_QUIET_USE);
  png_set_option(s.png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
  png_set_user_limits(s.png, kMaxPictureSide, kMaxPictureSide);
  png_set_chunk_malloc_max(s.png, kMaxChunkBytes);
  png_read_info(s.png, s.info);
  const png_uint_32 width = png_get_image_width(s.png, s.info), height = png_get_image_height(s.png, s.info);
  const std::uint64_t filtered_bytes = std::uint64_t{height} * (png_get_rowbytes(s.png, s.info) + 1);
  if (filtered_bytes > (s.input.data.size() - s.input.pos) * kMaxInflateRatio) {
    s.error.Set("the rest of the file is too short for the picture's size");
    return false;
  }
  out = AllocatePicture(width, height);
  if (!out) return false;

  png_set_expand(s.png);  // palette to RGB, low grey depths to 8 bits, tRNS to alpha
  png_set_scale_16(s.png);
  png_set_gray_to_rgb(s.png);
  png_set_interlace_handling(s.png);
  png_read_update_info(s.png, s.info);
  const int channels = png_get_channels(s.png, s.info);
  if (channels != 3 && channels != 4) return false;

  s.rows.resize(height);
  if (channels == 4) s.rgba.resize(std::size_t{width} * height * 4);
  for (png_uint_32 y = 0; y < height; ++y)
    s.rows[y] = channels == 4 ? s.rgba.data() + std::size_t{width} * 4 * y : out->Row(static_cast<int>(y));
  png_read_image(s.png, s.rows.data());
  png_read_end(s.png, nullptr);
  if (channels == 4) FlattenOntoBlack(s.rgba.data(), std::size_t{width} * height, out->Data());
  return true;
}

}  // namespace

std::optional<CPixelBuffer> ReadPng(std::span<const std::uint8_t> data, PictureRefusal* refusal) {
  if (!HeaderSizeCanBeHeld(data, refusal)) return std::nullopt;
  try {
    Session session;
    session.input.data = data;
    std::optional<CPixelBuffer> out;
    if (!Run(session, out)) {
      if (session.error.text[0] == '\0') return std::nullopt;
      return RefuseDamaged(refusal, std::string("PNG decoder: ") + session.error.text);
    }
    return out;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace saver
