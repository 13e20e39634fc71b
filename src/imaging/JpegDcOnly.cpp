#include "imaging/JpegDcOnly.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/JpegHuffman.h"

namespace saver {
namespace {

using jpeg::CSegmentBits;

// Codes up to this length are found with one look-up (nearly every DC code, and the AC codes of
// the few coefficients decoded with their values).
constexpr int kShortCodeBits = 9;
// The coefficients a block at half resolution both ways is made from: the zigzag positions up to
// the one across and down, (0, 1), (1, 0) and (1, 1) in natural order.
constexpr int kLowCoefficients = 5;
constexpr int kAcross = 1, kDown = 2, kAcrossAndDown = 4;
// Far beyond any real DC value; a sum past it could overflow, which libjpeg refuses.
constexpr int kMostDcPrediction = 1 << 24;

// A Huffman table: length and symbol of the code the next bits start with.
class CSymbolCodes {
 public:
  bool Build(const JHUFF_TBL* table, bool dc) {
    if (table == nullptr) return false;
    int code = 0, symbol = 0;
    for (int length = 1; length <= jpeg::kMaxCodeLength; ++length) {
      const int count = table->bits[length];
      first_symbol_[length] = symbol;
      first_code_[length] = code;
      for (int i = 0; i < count; ++i, ++code, ++symbol) {
        // A length's codes must fit in it; a DC value has at most 15 bits.
        if (symbol > 255 || code >= (1 << length) || (dc && table->huffval[symbol] > 15)) return false;
        if (length <= kShortCodeBits)
          std::fill_n(short_.begin() + (code << (kShortCodeBits - length)), 1 << (kShortCodeBits - length),
                      Entry{static_cast<std::uint8_t>(length), table->huffval[symbol]});
      }
      last_code_[length] = code - 1;
      code <<= 1;
    }
    symbols_ = table->huffval;
    return true;
  }

  // Code length (0: none) and symbol for the next 16 bits of the stream.
  void Find(std::uint32_t next_16, int& length, int& symbol) const {
    const Entry e = short_[next_16 >> (16 - kShortCodeBits)];
    length = e.length;
    symbol = e.symbol;
    if (length != 0) return;
    for (int l = kShortCodeBits + 1; l <= jpeg::kMaxCodeLength; ++l) {
      const int code = static_cast<int>(next_16 >> (16 - l));
      if (code <= last_code_[l] && code >= first_code_[l]) {
        length = l;
        symbol = symbols_[first_symbol_[l] + code - first_code_[l]];
        return;
      }
    }
  }

 private:
  struct Entry {
    std::uint8_t length = 0, symbol = 0;
  };
  std::array<Entry, 1 << kShortCodeBits> short_{};
  std::array<int, jpeg::kMaxCodeLength + 1> first_code_{}, first_symbol_{}, last_code_{};
  const std::uint8_t* symbols_ = nullptr;
};

// One row of MCUs at 1/8: for each component its rows of samples, one a block (its DC value,
// scaled and limited as libjpeg-turbo's 1 x 1 inverse DCT makes it) or 2 x 2 a block at half
// resolution both ways (see CQuarters).
struct McuRowSamples {
  int samples_wide[MAX_COMPONENTS] = {};
  std::vector<std::uint8_t> rows[MAX_COMPONENTS];
};

// libjpeg-turbo's YCbCr to RGB tables (jdcolor.c), 16-bit fixed point.
struct ColourTables {
  static constexpr int kScaleBits = 16;
  static constexpr std::int32_t Fix(double x) { return static_cast<std::int32_t>(x * (1 << kScaleBits) + 0.5); }
  int cr_r[256], cb_b[256];
  std::int32_t cr_g[256], cb_g[256];
  ColourTables() {
    constexpr std::int32_t kHalf = 1 << (kScaleBits - 1);
    for (int i = 0; i < 256; ++i) {
      const int x = i - 128;
      cr_r[i] = static_cast<int>((Fix(1.40200) * x + kHalf) >> kScaleBits);
      cb_b[i] = static_cast<int>((Fix(1.77200) * x + kHalf) >> kScaleBits);
      cr_g[i] = -Fix(0.71414) * x;
      cb_g[i] = -Fix(0.34414) * x + kHalf;
    }
  }
};

std::uint8_t Clamp(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }


// A coefficient from its `size` value bits: values below half the range are negative. A select
// rather than a branch, as the sign of a coefficient cannot be predicted.
int Extend(std::uint32_t value, int size) {
  const int v = static_cast<int>(value), range = 1 << size;
  return v < (range >> 1) ? v - (range - 1) : v;
}

// A block of a component at half the resolution both ways (4:2:0 chroma) is 2 x 2 pixels at 1/8.
// libjpeg-turbo makes them with its 2 x 2 inverse DCT from more coefficients than the walk keeps;
// here each is the mean of its 4 x 4 quarter of the block as the DC and the three lowest AC
// coefficients give it, which lies as close to a full decode and resize. The weights of the four
// coefficients, their quantisers included, are fixed point.
class CQuarters {
 public:
  CQuarters() = default;
  // `quantisers` in natural order.
  explicit CQuarters(const UINT16* quantisers) {
    // The mean of cos((2x + 1) pi / 16) over x = 0..3, and the DCT's scale factors.
    constexpr double kHalfMean = 0.6407288;
    constexpr double kOneWay = kHalfMean / (4 * 1.4142136), kBothWays = kHalfMean * kHalfMean / 4;
    const auto fixed = [](double weight, UINT16 quantiser) { return std::llround(weight * kOne * quantiser); };
    dc_ = fixed(1.0 / DCTSIZE, quantisers[0]);
    across_ = fixed(kOneWay, quantisers[1]);
    down_ = fixed(kOneWay, quantisers[DCTSIZE]);
    both_ = fixed(kBothWays, quantisers[DCTSIZE + 1]);
  }

  // The 2 x 2 pixels of a block from its coefficients (zigzag order), to `out`, rows `stride` apart.
  void Make(const int (&low)[kLowCoefficients], std::uint8_t* out, std::size_t stride) const {
    constexpr std::int64_t kCentreRounded = std::int64_t{CENTERJSAMPLE} * kOne + kOne / 2;
    const std::int64_t base = kCentreRounded + low[0] * dc_, across = low[kAcross] * across_,
                       down = low[kDown] * down_, both = low[kAcrossAndDown] * both_;
    out[0] = Sample(base + across + down + both);
    out[1] = Sample(base - across + down - both);
    out[stride] = Sample(base + across - down - both);
    out[stride + 1] = Sample(base - across - down + both);
  }

 private:
  static constexpr int kFractionBits = 16;
  static constexpr std::int64_t kOne = std::int64_t{1} << kFractionBits;
  static std::uint8_t Sample(std::int64_t fixed) {
    return static_cast<std::uint8_t>(std::clamp<std::int64_t>(fixed >> kFractionBits, 0, MAXJSAMPLE));
  }
  std::int64_t dc_ = 0, across_ = 0, down_ = 0, both_ = 0;
};

}  // namespace

bool DcOnlyApplies(const jpeg_decompress_struct& info) {
  const bool colour = info.num_components == 3 && info.jpeg_color_space == JCS_YCbCr;
  const bool grey = info.num_components == 1 && info.jpeg_color_space == JCS_GRAYSCALE;
  if ((!colour && !grey) || info.progressive_mode || info.arith_code || info.comps_in_scan != info.num_components)
    return false;
  for (int c = 0; c < info.num_components; ++c) {
    const int h = info.comp_info[c].h_samp_factor, v = info.comp_info[c].v_samp_factor;
    if (info.max_h_samp_factor % h != 0 || info.max_v_samp_factor % v != 0) return false;
    // Subsampled both ways, only by half (4:2:0 chroma): see CQuarters.
    const bool both_ways = info.max_h_samp_factor % (2 * h) == 0 && info.max_v_samp_factor % (2 * v) == 0;
    if (both_ways && (info.max_h_samp_factor != 2 * h || info.max_v_samp_factor != 2 * v)) return false;
  }
  return true;
}

bool DecodeDcOnly(const jpeg_decompress_struct& started, CJpegRowTarget& target) {
  if (!DcOnlyApplies(started) || !jpeg::IsSingleHuffmanScan(started) || started.scale_num * 8 != started.scale_denom ||
      started.out_color_space != JCS_RGB || started.quantize_colors || started.output_scanline != 0)
    return false;
  auto tables = std::make_unique<jpeg::CScanTables>();
  if (!tables->Build(started)) return false;
  const bool single = started.comps_in_scan == 1;  // one block an MCU, whatever the sampling
  const int components = started.comps_in_scan;
  const int h_max = single ? 1 : started.max_h_samp_factor, v_max = single ? 1 : started.max_v_samp_factor;
  std::array<CSymbolCodes, 2 * NUM_HUFF_TBLS> codes;  // DC tables, then AC tables
  std::array<bool, 2 * NUM_HUFF_TBLS> built{};
  const auto codes_of = [&](int slot, const JHUFF_TBL* table, bool dc) -> const CSymbolCodes* {
    if (!built[slot] && !codes[slot].Build(table, dc)) return nullptr;
    built[slot] = true;
    return &codes[slot];
  };
  // Per component: its DC and AC codes, blocks of an MCU (h x v), pixels a block gives (1, or 2
  // both ways at half resolution), the quantisers of the coefficients kept.
  const CSymbolCodes* dc_codes[MAX_COMPONENTS] = {};
  const CSymbolCodes* ac_codes[MAX_COMPONENTS] = {};
  int h[MAX_COMPONENTS], v[MAX_COMPONENTS], side[MAX_COMPONENTS], dc_quantiser[MAX_COMPONENTS] = {};
  CQuarters quarters[MAX_COMPONENTS];
  McuRowSamples samples;
  for (int c = 0; c < components; ++c) {
    const jpeg_component_info& component = *started.cur_comp_info[c];
    const int dc = component.dc_tbl_no, ac = component.ac_tbl_no;
    if (component.quant_table == nullptr || dc < 0 || dc >= NUM_HUFF_TBLS || ac < 0 || ac >= NUM_HUFF_TBLS) return false;
    dc_codes[c] = codes_of(dc, started.dc_huff_tbl_ptrs[dc], true);
    ac_codes[c] = codes_of(NUM_HUFF_TBLS + ac, started.ac_huff_tbl_ptrs[ac], false);
    if (!dc_codes[c] || !ac_codes[c]) return false;
    h[c] = single ? 1 : component.MCU_width;
    v[c] = single ? 1 : component.MCU_height;
    side[c] = !single && h_max == 2 * h[c] && v_max == 2 * v[c] ? 2 : 1;
    const UINT16* q = component.quant_table->quantval;  // natural order
    dc_quantiser[c] = q[0];
    quarters[c] = CQuarters(q);
    samples.samples_wide[c] = static_cast<int>(started.MCUs_per_row) * h[c] * side[c];
    samples.rows[c].assign(static_cast<std::size_t>(samples.samples_wide[c]) * v[c] * side[c], 0);
  }
  // Where each block of the MCU puts its samples: its component's blocks lie MCU_width x
  // MCU_height, row by row; the offset is from the MCU's first sample in the component's rows.
  std::size_t block_offset[D_MAX_BLOCKS_IN_MCU] = {};
  for (int b = 0, within = 0; b < started.blocks_in_MCU; ++b) {
    const int c = started.MCU_membership[b];
    within = b > 0 && c == started.MCU_membership[b - 1] ? within + 1 : 0;
    block_offset[b] = static_cast<std::size_t>(within / h[c] * side[c]) * samples.samples_wide[c] +
                      static_cast<std::size_t>(within % h[c] * side[c]);
  }
  // Each output column's sample in each component's rows (samples repeated to the largest sampling).
  const int width = static_cast<int>(started.output_width);
  std::vector<int> column_of[MAX_COMPONENTS];
  for (int c = 0; c < components; ++c) {
    column_of[c].resize(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) column_of[c][x] = x * h[c] * side[c] / h_max;
  }
  const JSAMPLE* range_limit = started.sample_range_limit + CENTERJSAMPLE;  // as the 1 x 1 inverse DCT limits

  static const ColourTables colour;
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * 3);
  CSegmentBits bits(started.src->next_input_byte, started.src->next_input_byte + started.src->bytes_in_buffer);
  jpeg::CMcuSequence mcus(started, bits);
  // The code the stream starts with, its symbol and its value bits, left in the stream; returns
  // how many bits they take, 0 when the stream holds no code there.
  const auto peek = [&bits](const CSymbolCodes& table, int& symbol, std::uint32_t& value) {
    const std::uint32_t next = bits.Peek32();
    int length = 0;
    table.Find(next >> 16, length, symbol);
    const int size = symbol & 15;
    value = static_cast<std::uint32_t>((std::uint64_t{next} << length & 0xFFFFFFFFu) >> (32 - size));
    return length == 0 ? 0 : length + size;
  };
  // The same, taken from the stream; false when the stream holds no code there or ends first.
  const auto read = [&](const CSymbolCodes& table, int& symbol, std::uint32_t& value) {
    const int taken = peek(table, symbol, value);
    return taken != 0 && bits.Skip(taken);
  };
  int prediction[MAX_COMPONENTS] = {};
  // Adds a DC difference to its component's prediction; false past any real value.
  const auto predict = [&prediction](int c, std::uint32_t value, int size) {
    prediction[c] += Extend(value, size);
    return prediction[c] <= kMostDcPrediction && prediction[c] >= -kMostDcPrediction;
  };
  int rows_left = static_cast<int>(started.output_height);
  for (JDIMENSION mcu_row = 0; mcu_row < started.MCU_rows_in_scan; ++mcu_row) {
    for (JDIMENSION mcu = 0; mcu < started.MCUs_per_row; ++mcu) {
      bool restarted = false;
      if (!mcus.Next(&restarted)) return false;
      if (restarted) std::fill_n(prediction, MAX_COMPONENTS, 0);
      for (int b = 0; b < started.blocks_in_MCU; ++b) {
        const int c = started.MCU_membership[b];
        std::uint8_t* at = samples.rows[c].data() + static_cast<std::size_t>(mcu) * h[c] * side[c] + block_offset[b];
        int symbol = 0;
        std::uint32_t value = 0;
        if (side[c] == 1) {
          // The DC value is read beside the walk, which takes the DC code and the first AC codes
          // in one look-up.
          if (peek(*dc_codes[c], symbol, value) == 0 || !jpeg::SkipBlock(bits, tables->Block(b)) ||
              !predict(c, value, symbol))
            return false;
          const int dequantised = static_cast<JCOEF>(prediction[c]) * dc_quantiser[c];
          *at = range_limit[((dequantised + 4) >> 3) & (4 * (MAXJSAMPLE + 1) - 1)];
          continue;
        }
        if (!read(*dc_codes[c], symbol, value) || !predict(c, value, symbol)) return false;
        int low[kLowCoefficients] = {static_cast<JCOEF>(prediction[c])};
        int index = 1;
        while (index < kLowCoefficients) {  // the low coefficients with their values
          if (!read(*ac_codes[c], symbol, value)) return false;
          const int run = symbol >> 4, size = symbol & 15;
          if (size == 0) {
            index += run == 15 ? 16 : DCTSIZE2;
            continue;
          }
          index += run;
          if (index >= DCTSIZE2) return false;
          if (index < kLowCoefficients) low[index] = Extend(value, size);
          ++index;
        }
        while (index < DCTSIZE2) {
          if (!bits.SkipCodes(*tables->Block(b).within, index)) return false;
        }
        quarters[c].Make(low, at, static_cast<std::size_t>(samples.samples_wide[c]));
      }
    }
    // Output rows: each component's samples repeated to the largest sampling.
    for (int r = 0; r < v_max && rows_left > 0; ++r, --rows_left) {
      const std::uint8_t* sample[MAX_COMPONENTS] = {};
      for (int c = 0; c < components; ++c)
        sample[c] = samples.rows[c].data() + static_cast<std::size_t>(r * v[c] * side[c] / v_max) * samples.samples_wide[c];
      std::uint8_t* out = rgb.data();
      for (int x = 0; x < width; ++x, out += 3) {
        const int y = sample[0][column_of[0][x]];
        if (components == 1) {
          out[0] = out[1] = out[2] = static_cast<std::uint8_t>(y);
          continue;
        }
        const int cb = sample[1][column_of[1][x]], cr = sample[2][column_of[2][x]];
        out[0] = Clamp(y + colour.cr_r[cr]);
        out[1] = Clamp(y + static_cast<int>((colour.cb_g[cb] + colour.cr_g[cr]) >> ColourTables::kScaleBits));
        out[2] = Clamp(y + colour.cb_b[cb]);
      }
      target.Row(rgb.data());
    }
  }
  return rows_left == 0 && mcus.End();
}

}  // namespace saver
