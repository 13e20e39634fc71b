#include "imaging/JpegDecoder.h"

#include <new>
#include <vector>

#include "imaging/JpegErrorJump.h"
#include "imaging/JpegReducedDecoder.h"
#include "imaging/JpegScanCheck.h"
#include "imaging/PictureLimits.h"

namespace saver {
namespace {

// A progressive file can hold any number of scans, each one a full pass over the picture;
// real encoders write about ten, so more than this is an attempt to stall the decoder.
constexpr int kMaxScans = 1000;
// libjpeg's working memory (the coefficient buffer of a progressive picture of the largest
// accepted size needs 192 MiB).
constexpr long kMaxDecoderMemory = 320L << 20;
// A target that every scale covers, so the smallest one (1/8) is chosen.
constexpr Size kSmallestTarget{1, 1};

void LimitScans(j_common_ptr info) {
  auto* d = reinterpret_cast<j_decompress_ptr>(info);
  if (d->input_scan_number > kMaxScans) JpegErrorJump::Jump(info);
}

// Only the scales 1/8, 2/8 and 4/8 are offered: libjpeg-turbo's other reduced inverse DCTs
// have no SIMD code and measure slower than the full-size decode they would replace.
unsigned ScaleNumerator(const jpeg_decompress_struct& d, Size at_least) {
  if (at_least.width <= 0 || at_least.height <= 0) return 8;
  for (unsigned n : {1u, 2u, 4u}) {
    auto scaled = [n](JDIMENSION side) { return (std::uint64_t{side} * n + 7) / 8; };
    if (scaled(d.image_width) >= static_cast<std::uint64_t>(at_least.width) &&
        scaled(d.image_height) >= static_cast<std::uint64_t>(at_least.height))
      return n;
  }
  return 8;
}

bool IsCmyk(const jpeg_decompress_struct& info) {
  return info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
}

void CmykToRgb(const std::uint8_t* cmyk, std::size_t pixels, bool adobe_inverted, std::uint8_t* rgb) {
  for (std::size_t i = 0; i < pixels; ++i, cmyk += 4, rgb += 3) {
    // Adobe writes every channel inverted (0 = full ink); plain CMYK stores the ink amount.
    unsigned k = adobe_inverted ? cmyk[3] : 255u - cmyk[3];
    for (int c = 0; c < 3; ++c) {
      unsigned v = adobe_inverted ? cmyk[c] : 255u - cmyk[c];
      rgb[c] = static_cast<std::uint8_t>((v * k + 127) / 255);
    }
  }
}

struct Session {
  jpeg_decompress_struct info{};
  JpegErrorJump error{};
  jpeg_progress_mgr progress{};
  bool created = false;
  std::vector<std::uint8_t> scanline;
  std::vector<std::uint8_t> rgb;
  ~Session() {
    if (created) jpeg_destroy_decompress(&info);
  }
};

// Reads the header and sets up everything but the scale. Call it below the caller's setjmp:
// libjpeg leaves by longjmp.
bool ReadHeader(Session& s, std::span<const std::uint8_t> data) {
  jpeg_create_decompress(&s.info);
  s.created = true;
  s.info.mem->max_memory_to_use = kMaxDecoderMemory;
  s.progress.progress_monitor = LimitScans;
  s.info.progress = &s.progress;
  jpeg_mem_src(&s.info, data.data(), static_cast<unsigned long>(data.size()));
  if (jpeg_read_header(&s.info, TRUE) != JPEG_HEADER_OK) return false;
  if (!IsAcceptedPictureSize(s.info.image_width, s.info.image_height)) return false;
  s.info.out_color_space = IsCmyk(s.info) ? JCS_CMYK : JCS_RGB;
  return true;
}

void ChooseScale(jpeg_decompress_struct& info, Size at_least) {
  info.scale_num = ScaleNumerator(info, at_least);
  info.scale_denom = 8;
  if (info.scale_num < 8) {
    // A picture decoded smaller is resized further still, which hides the small errors of the
    // fast integer inverse DCT and of chroma repeated rather than interpolated.
    info.dct_method = JDCT_IFAST;
    info.do_fancy_upsampling = FALSE;
  }
}

Size NaturalSize(const jpeg_decompress_struct& info) {
  return {static_cast<int>(info.image_width), static_cast<int>(info.image_height)};
}

// No object with a destructor may live in this frame: libjpeg leaves it by longjmp. The
// session lives in the caller and is cleaned up there.
bool Run(Session& s, std::span<const std::uint8_t> data, Size at_least, JpegRowTarget& target) {
  // Warnings (corrupt entropy data, premature end) stop the decode too: a damaged picture
  // is refused, not patched up.
  s.info.err = s.error.Install(true);
  if (setjmp(s.error.jump)) return false;
  if (!ReadHeader(s, data)) return false;
  ChooseScale(s.info, at_least);
  jpeg_start_decompress(&s.info);
  const int eighths = ReducedEighths(NaturalSize(s.info), at_least);
  if (eighths > 0 && DecodeReduced(s.info, eighths, target)) return true;

  const bool cmyk = IsCmyk(s.info);
  const Size scaled{static_cast<int>(s.info.output_width), static_cast<int>(s.info.output_height)};
  s.scanline.resize(std::size_t{s.info.output_width} * s.info.output_components);
  if (cmyk) s.rgb.resize(std::size_t{s.info.output_width} * 3);
  if (!target.Begin(NaturalSize(s.info), scaled)) return false;
  while (s.info.output_scanline < s.info.output_height) {
    JSAMPROW row = s.scanline.data();
    if (jpeg_read_scanlines(&s.info, &row, 1) != 1) return false;
    if (cmyk) CmykToRgb(s.scanline.data(), s.info.output_width, s.info.saw_Adobe_marker, s.rgb.data());
    target.Row(cmyk ? s.rgb.data() : s.scanline.data());
  }
  jpeg_finish_decompress(&s.info);
  return true;
}

// As Run, with the same settings and the same handling of warnings. The entropy-coded data of
// a one-scan file is first walked by the quick check; what it cannot vouch for is judged by
// libjpeg with every row except the last skipped: libjpeg still entropy-decodes each skipped
// MCU (where damage shows) and leaves out the inverse DCT, upsampling and colour conversion. A
// file of several scans is read whole when the decompression starts, as in Run.
bool RunMeasure(Session& s, std::span<const std::uint8_t> data, Size& natural) {
  s.info.err = s.error.Install(true);
  if (setjmp(s.error.jump)) return false;
  if (!ReadHeader(s, data)) return false;
  ChooseScale(s.info, kSmallestTarget);
  jpeg_start_decompress(&s.info);
  if (ScanIsSurelyIntact(s.info)) {
    natural = NaturalSize(s.info);
    return true;
  }
  jpeg_skip_scanlines(&s.info, s.info.output_height - 1);
  s.scanline.resize(std::size_t{s.info.output_width} * s.info.output_components);
  JSAMPROW row = s.scanline.data();
  if (jpeg_read_scanlines(&s.info, &row, 1) != 1) return false;
  jpeg_finish_decompress(&s.info);
  natural = NaturalSize(s.info);
  return true;
}

// Runs one pass on a fresh session; a pass that runs out of memory refuses the picture.
template <typename Pass>
bool WithSession(std::span<const std::uint8_t> data, Pass pass) {
  if (data.empty()) return false;
  try {
    Session session;
    return pass(session);
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace

bool DecodeJpeg(std::span<const std::uint8_t> data, Size at_least, JpegRowTarget& target) {
  return WithSession(data, [&](Session& s) { return Run(s, data, at_least, target); });
}

bool MeasureJpeg(std::span<const std::uint8_t> data, Size& natural) {
  return WithSession(data, [&](Session& s) { return RunMeasure(s, data, natural); });
}

}  // namespace saver
