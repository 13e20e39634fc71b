#include "imaging/JpegDecoder.h"

#include <new>
#include <string>
#include <vector>

#include <jerror.h>

#include "imaging/JpegDcOnly.h"
#include "imaging/JpegErrorJump.h"
#include "imaging/JpegScanCheck.h"
#include "imaging/PictureLimits.h"

namespace saver {
namespace {

// A progressive file can hold any number of scans, each one a full pass over the picture;
// real encoders write about ten, so more than this is an attempt to stall the decoder.
constexpr int kMaxScans = 1000;
// libjpeg's working memory beyond the coefficient buffer: a few rows of its output width.
constexpr long kMaxDecoderMemoryBesideCoefficients = 64L << 20;
// A target that every scale covers, so the smallest one (1/8) is chosen.
constexpr Size kSmallestTarget{1, 1};
// The reduced scales, in eighths, that a fitted picture may be decoded at. libjpeg-turbo's other
// reduced inverse DCTs (3/8, 5/8 to 7/8) have no SIMD code: a 24 MP picture fitted through 3/8
// measured no faster than through 4/8 (bench_imaging), and further from a full decode + resize.
constexpr unsigned kOfferedScales[] = {1, 2, 4};

enum class Use { HeldWhole, Streamed };

void LimitScans(j_common_ptr info) {
  auto* d = reinterpret_cast<j_decompress_ptr>(info);
  if (d->input_scan_number > kMaxScans) JpegErrorJump::Jump(info);
}

unsigned ScaleNumerator(const jpeg_decompress_struct& d, Size at_least) {
  if (at_least.width <= 0 || at_least.height <= 0) return 8;
  for (unsigned n : kOfferedScales) {
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

Size NaturalSize(const jpeg_decompress_struct& info) {
  return {static_cast<int>(info.image_width), static_cast<int>(info.image_height)};
}

// libjpeg's coefficient buffer for a file of several scans: every block of every component,
// each component padded to whole MCUs, 64 coefficients of 2 bytes a block.
std::int64_t CoefficientBytes(jpeg_decompress_struct& info) {
  if (!jpeg_has_multiple_scans(&info)) return 0;
  auto round_up = [](std::int64_t n, std::int64_t m) { return (n + m - 1) / m * m; };
  std::int64_t blocks = 0;
  for (int c = 0; c < info.num_components; ++c) {
    const jpeg_component_info& component = info.comp_info[c];
    blocks += round_up(component.width_in_blocks, component.h_samp_factor) *
              round_up(component.height_in_blocks, component.v_samp_factor);
  }
  return blocks * static_cast<std::int64_t>(sizeof(JBLOCK));
}

struct Session {
  jpeg_decompress_struct info{};
  JpegErrorJump error{};
  jpeg_progress_mgr progress{};
  bool created = false;
  PictureRefusal refusal;
  std::vector<std::uint8_t> scanline;
  std::vector<std::uint8_t> rgb;
  ~Session() {
    if (created) jpeg_destroy_decompress(&info);
  }
};

// Why libjpeg gave up (it has just jumped out): its own message, or the size against its limit.
void RefuseFromLibjpeg(Session& s) {
  if (s.error.manager.msg_code == JERR_IMAGE_TOO_BIG) {
    s.refusal = TooLargeRefusal(NaturalSize(s.info), kJpegSideLimit);
    return;
  }
  if (s.info.input_scan_number > kMaxScans) {
    s.refusal = {PictureRefusal::Reason::Damaged, "JPEG decoder: more than " + std::to_string(kMaxScans) + " scans"};
    return;
  }
  char text[JMSG_LENGTH_MAX] = {};
  s.error.manager.format_message(reinterpret_cast<j_common_ptr>(&s.info), text);
  s.refusal = {PictureRefusal::Reason::Damaged, std::string("JPEG decoder: ") + text};
}

// Every block of every component, as the decoder will walk them.
std::int64_t BlockCount(const jpeg_decompress_struct& info) {
  std::int64_t blocks = 0;
  for (int c = 0; c < info.num_components; ++c)
    blocks += std::int64_t{info.comp_info[c].width_in_blocks} * info.comp_info[c].height_in_blocks;
  return blocks;
}

// The size limits of the use, on a header just read; false with the refusal set when passed.
bool WithinLimits(Session& s, Use use, std::size_t data_bytes) {
  const Size size = NaturalSize(s.info);
  const bool beyond_held_limit = !IsAcceptedPictureSize(size.width, size.height);
  if (use == Use::HeldWhole && beyond_held_limit) {
    s.refusal = TooLargeRefusal(size, kHeldPictureLimit);
    return false;
  }
  const std::int64_t coefficients = CoefficientBytes(s.info);
  if (coefficients > kMaxJpegCoefficientBytes) {
    s.refusal = TooLargeRefusal(size, std::to_string(kMaxJpegCoefficientBytes >> 20) +
                                          " MiB of coefficients for a JPEG of several scans (progressive); this one "
                                          "needs " + std::to_string((coefficients + (1 << 20) - 1) >> 20) + " MiB");
    return false;
  }
  // Beyond the held limit a fitted picture may take seconds to walk. Real data spends at least
  // a bit on every block (a Huffman code for its DC difference); an arithmetic-coded scan can
  // spend less and libjpeg walks it without a warning, so a header that claims a huge picture
  // over a few bytes of data would keep the decoder busy for nothing.
  if (beyond_held_limit && static_cast<std::int64_t>(data_bytes) * 8 < BlockCount(s.info)) {
    s.refusal = {PictureRefusal::Reason::Damaged,
                 "The picture is " + std::to_string(size.width) + " x " + std::to_string(size.height) +
                     " pixels, but its file holds only " + std::to_string(data_bytes) +
                     " bytes: it is damaged."};
    return false;
  }
  return true;
}

// Reads the header and sets up everything but the scale. Call it below the caller's setjmp:
// libjpeg leaves by longjmp.
bool ReadHeader(Session& s, std::span<const std::uint8_t> data, Use use) {
  jpeg_create_decompress(&s.info);
  s.created = true;
  s.info.mem->max_memory_to_use = static_cast<long>(kMaxJpegCoefficientBytes) + kMaxDecoderMemoryBesideCoefficients;
  s.progress.progress_monitor = LimitScans;
  s.info.progress = &s.progress;
  jpeg_mem_src(&s.info, data.data(), static_cast<unsigned long>(data.size()));
  if (jpeg_read_header(&s.info, TRUE) != JPEG_HEADER_OK) return false;
  if (!WithinLimits(s, use, data.size())) return false;
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

// No object with a destructor may live in this frame: libjpeg leaves it by longjmp. The
// session lives in the caller and is cleaned up there.
bool Run(Session& s, std::span<const std::uint8_t> data, Size at_least, CJpegRowTarget& target) {
  // Warnings (corrupt entropy data, premature end) stop the decode too: a damaged picture
  // is refused, not patched up.
  s.info.err = s.error.Install(true);
  if (setjmp(s.error.jump)) {
    RefuseFromLibjpeg(s);
    return false;
  }
  const bool own_size = at_least.width <= 0 || at_least.height <= 0;
  if (!ReadHeader(s, data, own_size ? Use::HeldWhole : Use::Streamed)) return false;
  ChooseScale(s.info, at_least);
  jpeg_start_decompress(&s.info);

  const bool cmyk = IsCmyk(s.info);
  const Size scaled{static_cast<int>(s.info.output_width), static_cast<int>(s.info.output_height)};
  s.scanline.resize(std::size_t{s.info.output_width} * s.info.output_components);
  if (cmyk) s.rgb.resize(std::size_t{s.info.output_width} * 3);
  if (!target.Begin(NaturalSize(s.info), scaled)) return false;
  if (s.info.scale_num == 1 && DcOnlyApplies(s.info)) {
    if (DecodeDcOnly(s.info, target)) return true;
    if (!target.Begin(NaturalSize(s.info), scaled)) return false;  // libjpeg starts over and judges the data
  }
  while (s.info.output_scanline < s.info.output_height) {
    JSAMPROW row = s.scanline.data();
    if (jpeg_read_scanlines(&s.info, &row, 1) != 1) return false;
    if (cmyk) CmykToRgb(s.scanline.data(), s.info.output_width, s.info.saw_Adobe_marker, s.rgb.data());
    target.Row(cmyk ? s.rgb.data() : s.scanline.data());
  }
  jpeg_finish_decompress(&s.info);
  return true;
}

// The last two bytes are the end-of-image marker, where a file cut short has scan data or a
// marker segment instead.
bool EndsWithEndOfImage(std::span<const std::uint8_t> data) {
  return data.size() >= 4 && data[data.size() - 2] == 0xFF && data[data.size() - 1] == JPEG_EOI;
}

// As Run for a fitted picture, with the same settings, limits and handling of warnings. The
// entropy-coded data of a one-scan file is first walked by the quick check; what it cannot vouch
// for is judged by libjpeg with every row except the last skipped: libjpeg still entropy-decodes
// each skipped MCU (where damage shows) and leaves out the inverse DCT, upsampling and colour
// conversion. A file of several scans is read whole when the decompression starts, as in Run.
// Checking the header and the end, data that ends well is taken once its header has been read.
bool RunMeasure(Session& s, std::span<const std::uint8_t> data, JpegDataCheck check, Size& natural) {
  s.info.err = s.error.Install(true);
  if (setjmp(s.error.jump)) {
    RefuseFromLibjpeg(s);
    return false;
  }
  if (!ReadHeader(s, data, Use::Streamed)) return false;
  if (check == JpegDataCheck::HeaderAndEnd && EndsWithEndOfImage(data)) {
    natural = NaturalSize(s.info);
    return true;
  }
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
bool WithSession(std::span<const std::uint8_t> data, PictureRefusal* refusal, Pass pass) {
  if (data.empty()) return false;
  bool ok = false;
  try {
    Session session;
    ok = pass(session);
    if (!ok && refusal) *refusal = std::move(session.refusal);
  } catch (const std::bad_alloc&) {
    if (refusal) *refusal = {PictureRefusal::Reason::TooLarge, "Not enough memory to decode the JPEG picture."};
  }
  return ok;
}

}  // namespace

bool DecodeJpeg(std::span<const std::uint8_t> data, Size at_least, CJpegRowTarget& target, PictureRefusal* refusal) {
  return WithSession(data, refusal, [&](Session& s) { return Run(s, data, at_least, target); });
}

bool MeasureJpeg(std::span<const std::uint8_t> data, JpegDataCheck check, Size& natural, PictureRefusal* refusal) {
  return WithSession(data, refusal, [&](Session& s) { return RunMeasure(s, data, check, natural); });
}

}  // namespace saver
