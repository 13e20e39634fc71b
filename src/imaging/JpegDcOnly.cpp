#include "imaging/JpegDcOnly.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "imaging/JpegHuffman.h"

namespace saver {
namespace {

using jpeg::SegmentBits;

constexpr int kDcLookupBits = 9;
// Far beyond any real DC value; a sum past it could overflow, which libjpeg refuses.
constexpr int kMostDcPrediction = 1 << 24;

// A DC Huffman table: code length and value size of the code the next bits start with.
class DcCodes {
 public:
  bool Build(const JHUFF_TBL* table) {
    if (table == nullptr) return false;
    int code = 0, symbol = 0;
    for (int length = 1; length <= jpeg::kMaxCodeLength; ++length) {
      const int count = table->bits[length];
      first_symbol_[length] = symbol;
      first_code_[length] = code;
      for (int i = 0; i < count; ++i, ++code, ++symbol) {
        if (symbol > 255 || table->huffval[symbol] > 15) return false;
        if (length <= kDcLookupBits)
          std::fill_n(short_.begin() + (code << (kDcLookupBits - length)), 1 << (kDcLookupBits - length),
                      Entry{static_cast<std::uint8_t>(length), table->huffval[symbol]});
      }
      last_code_[length] = code - 1;
      code <<= 1;
    }
    symbols_ = table->huffval;
    return true;
  }

  // Code length (0: none) and value size for the next 16 bits of the stream.
  void Find(std::uint32_t next_16, int& length, int& size) const {
    const Entry e = short_[next_16 >> (16 - kDcLookupBits)];
    length = e.length;
    size = e.size;
    if (length != 0) return;
    for (int l = kDcLookupBits + 1; l <= jpeg::kMaxCodeLength; ++l) {
      const int code = static_cast<int>(next_16 >> (16 - l));
      if (code <= last_code_[l] && code >= first_code_[l]) {
        length = l;
        size = symbols_[first_symbol_[l] + code - first_code_[l]];
        return;
      }
    }
  }

 private:
  struct Entry {
    std::uint8_t length = 0, size = 0;
  };
  std::array<Entry, 1 << kDcLookupBits> short_{};
  std::array<int, jpeg::kMaxCodeLength + 1> first_code_{}, first_symbol_{}, last_code_{};
  const std::uint8_t* symbols_ = nullptr;
};

// The DC values of one row of MCUs: for each component its rows of blocks, scaled and limited
// as libjpeg-turbo's 1 x 1 inverse DCT makes them.
struct McuRowSamples {
  int blocks_wide[MAX_COMPONENTS] = {};
  std::vector<std::uint8_t> rows[MAX_COMPONENTS];  // v_samp_factor rows of blocks_wide samples
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

}  // namespace

bool DcOnlyApplies(const jpeg_decompress_struct& info) {
  const bool colour = info.num_components == 3 && info.jpeg_color_space == JCS_YCbCr;
  const bool grey = info.num_components == 1 && info.jpeg_color_space == JCS_GRAYSCALE;
  if ((!colour && !grey) || info.progressive_mode || info.arith_code || info.comps_in_scan != info.num_components)
    return false;
  for (int c = 0; c < info.num_components; ++c) {
    const int h = info.comp_info[c].h_samp_factor, v = info.comp_info[c].v_samp_factor;
    if (info.max_h_samp_factor % h != 0 || info.max_v_samp_factor % v != 0) return false;
    // A component subsampled both ways libjpeg-turbo decodes with a larger inverse DCT, from
    // more than its DC coefficient, rather than repeating it (4:2:0 chroma).
    if (info.max_h_samp_factor % (2 * h) == 0 && info.max_v_samp_factor % (2 * v) == 0) return false;
  }
  return true;
}

bool DecodeDcOnly(const jpeg_decompress_struct& started, JpegRowTarget& target) {
  if (!DcOnlyApplies(started) || !jpeg::IsSingleHuffmanScan(started) || started.scale_num * 8 != started.scale_denom ||
      started.out_color_space != JCS_RGB || started.quantize_colors || started.output_scanline != 0)
    return false;
  auto tables = std::make_unique<jpeg::ScanTables>();
  if (!tables->Build(started)) return false;
  const bool single = started.comps_in_scan == 1;  // one block an MCU, whatever the sampling
  const int components = started.comps_in_scan;
  std::array<DcCodes, NUM_HUFF_TBLS> dc_codes;
  std::array<bool, NUM_HUFF_TBLS> dc_built{};
  int h[MAX_COMPONENTS], v[MAX_COMPONENTS], quant[MAX_COMPONENTS];
  McuRowSamples samples;
  for (int c = 0; c < components; ++c) {
    const jpeg_component_info& component = *started.cur_comp_info[c];
    const int table = component.dc_tbl_no;
    if (component.quant_table == nullptr || table < 0 || table >= NUM_HUFF_TBLS) return false;
    if (!dc_built[table] && !dc_codes[table].Build(started.dc_huff_tbl_ptrs[table])) return false;
    dc_built[table] = true;
    h[c] = single ? 1 : component.MCU_width;
    v[c] = single ? 1 : component.MCU_height;
    quant[c] = component.quant_table->quantval[0];
    samples.blocks_wide[c] = static_cast<int>(started.MCUs_per_row) * h[c];
    samples.rows[c].assign(static_cast<std::size_t>(samples.blocks_wide[c]) * v[c], 0);
  }
  // Each block's place among its component's blocks of the MCU (MCU_width x MCU_height, row by row).
  int within[D_MAX_BLOCKS_IN_MCU] = {};
  for (int b = 1; b < started.blocks_in_MCU; ++b)
    if (started.MCU_membership[b] == started.MCU_membership[b - 1]) within[b] = within[b - 1] + 1;
  const int h_max = single ? 1 : started.max_h_samp_factor, v_max = single ? 1 : started.max_v_samp_factor;
  const JSAMPLE* range_limit = started.sample_range_limit + CENTERJSAMPLE;  // as the 1 x 1 inverse DCT limits

  static const ColourTables colour;
  const int width = static_cast<int>(started.output_width);
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * 3);
  SegmentBits bits(started.src->next_input_byte, started.src->next_input_byte + started.src->bytes_in_buffer);
  jpeg::McuSequence mcus(started, bits);
  int prediction[MAX_COMPONENTS] = {};
  int rows_left = static_cast<int>(started.output_height);
  for (JDIMENSION mcu_row = 0; mcu_row < started.MCU_rows_in_scan; ++mcu_row) {
    for (JDIMENSION mcu = 0; mcu < started.MCUs_per_row; ++mcu) {
      bool restarted = false;
      if (!mcus.Next(&restarted)) return false;
      if (restarted) std::fill_n(prediction, MAX_COMPONENTS, 0);
      for (int b = 0; b < started.blocks_in_MCU; ++b) {
        const int c = started.MCU_membership[b];
        const jpeg_component_info& component = *started.cur_comp_info[c];
        int length = 0, size = 0;
        std::uint32_t value = 0;
        dc_codes[component.dc_tbl_no].Find(bits.Peek16(), length, size);
        if (length == 0 || !bits.Take(length, value) || !bits.Take(size, value)) return false;
        int diff = static_cast<int>(value);
        if (size != 0 && diff < (1 << (size - 1))) diff += static_cast<int>(~0u << size) + 1;
        prediction[c] += diff;
        if (prediction[c] > kMostDcPrediction || prediction[c] < -kMostDcPrediction) return false;
        int index = 1;
        while (index < DCTSIZE2) {
          if (!bits.SkipCodes(*tables->Block(b).within, index)) return false;
        }
        const int x = static_cast<int>(mcu) * h[c] + within[b] % h[c], y = within[b] / h[c];
        const int dequantised = static_cast<JCOEF>(prediction[c]) * quant[c];
        samples.rows[c][static_cast<std::size_t>(y) * samples.blocks_wide[c] + x] =
            range_limit[((dequantised + 4) >> 3) & (4 * (MAXJSAMPLE + 1) - 1)];
      }
    }
    // Output rows: each component's samples repeated to the largest sampling.
    for (int r = 0; r < v_max && rows_left > 0; ++r, --rows_left) {
      const std::uint8_t* sample[MAX_COMPONENTS] = {};
      for (int c = 0; c < components; ++c)
        sample[c] = samples.rows[c].data() + static_cast<std::size_t>(r * v[c] / v_max) * samples.blocks_wide[c];
      std::uint8_t* out = rgb.data();
      for (int x = 0; x < width; ++x, out += 3) {
        const int y = sample[0][x * h[0] / h_max];
        if (components == 1) {
          out[0] = out[1] = out[2] = static_cast<std::uint8_t>(y);
          continue;
        }
        const int cb = sample[1][x * h[1] / h_max], cr = sample[2][x * h[2] / h_max];
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
