#include "imaging/JpegReducedDecoder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "imaging/JpegHuffman.h"

namespace saver {
namespace {

using jpeg::BlockRuns;
using jpeg::Code;
using jpeg::McuSequence;
using jpeg::ScanTables;
using jpeg::SegmentBits;
using jpeg::ValuePairs;

constexpr int kMaxEighths = 4;

// Stream order (zigzag) to the natural order of an 8 x 8 block (vertical frequency major).
constexpr std::array<std::uint8_t, 64> kNaturalOrder = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// The coefficients a reconstruction of W x H samples a block keeps: the lowest W horizontal and
// H vertical frequencies. A block of them holds W x H values (vertical frequency major) and one
// spare place after them, which takes whatever is not kept: a code with no value bits, a
// coefficient past the kept ones, or one past the block's end that a long run points to
// (libjpeg ignores those too). So every code stores its value somewhere.
struct KeptCoefficients {
  KeptCoefficients(int width, int height) : spare(width * height) {
    place.fill(static_cast<std::int8_t>(spare));
    for (int k = 0; k < 64; ++k) {
      const int row = kNaturalOrder[k] / 8, column = kNaturalOrder[k] % 8;
      if (row >= height || column >= width) continue;
      place[k] = static_cast<std::int8_t>(row * width + column);
      row_bit[k] = static_cast<std::uint8_t>(1u << row);
      last = k;
    }
  }
  int spare;
  // For each position in stream order, up to the farthest an end-of-block code points to: its
  // place, and the bit of its row of frequencies (0 for the spare place).
  std::array<std::int8_t, 128> place;
  std::array<std::uint8_t, 128> row_bit{};
  int last = 0;  // the last position kept
};

// The block as W x H samples, W and H 1 ... 8, from its lowest W x H coefficients: each sample is
// the mean of the 8 x 8 inverse DCT over its part of the block (8 / W by 8 / H pixels, parts of
// pixels where they do not divide 8). Per direction that is an inverse transform whose basis is
// basis[x][u] = C(u) / 2 * sum over pixels p of share(x, p) * cos((2p + 1) u pi / 16), with
// C(0) = 1 / sqrt(2). Higher frequencies, which mostly average out, are left out.
class InverseDct {
 public:
  InverseDct(int width, int height, const JQUANT_TBL& quant) : width_(width), height_(height) {
    for (int v = 0; v < height; ++v)
      for (int u = 0; u < width; ++u) step_[v * width + u] = quant.quantval[v * 8 + u];
    FillBasis(width, across_);
    FillBasis(height, down_);
  }

  // `coefficients`: W x H, quantized; `rows`: bit v set when row v of them may hold a nonzero
  // one. Writes H rows of W samples.
  void Apply(const std::int16_t* coefficients, unsigned rows, std::uint8_t* out, std::size_t stride) const {
    if (rows == 1 && std::all_of(coefficients + 1, coefficients + width_, [](std::int16_t c) { return c == 0; }))
      return Flat(coefficients[0] * step_[0], out, stride);
    if (width_ != height_) return Transform<0>(coefficients, rows, out, stride);
    // Square blocks, the usual kind, with the size known to the compiler.
    switch (width_) {
      case 2: return Transform<2>(coefficients, rows, out, stride);
      case 3: return Transform<3>(coefficients, rows, out, stride);
      case 4: return Transform<4>(coefficients, rows, out, stride);
      case 6: return Transform<6>(coefficients, rows, out, stride);
      case 8: return Transform<8>(coefficients, rows, out, stride);
      default: return Transform<0>(coefficients, rows, out, stride);
    }
  }

 private:
  static void FillBasis(int size, float (&basis)[8][8]) {
    const double pi = std::acos(-1.0), part = 8.0 / size;
    for (int x = 0; x < size; ++x)
      for (int u = 0; u < size; ++u) {
        double sum = 0;
        for (int p = 0; p < 8; ++p) {
          const double share = std::max(0.0, std::min(p + 1.0, (x + 1) * part) - std::max(double(p), x * part)) / part;
          sum += share * std::cos((2 * p + 1) * u * pi / 16);
        }
        basis[x][u] = static_cast<float>((u == 0 ? std::sqrt(0.5) : 1.0) / 2 * sum);
      }
  }

  static std::uint8_t Sample(float centred) {
    return static_cast<std::uint8_t>(std::clamp(static_cast<int>(centred + 128.5f), 0, 255));
  }

  void Flat(float dc, std::uint8_t* out, std::size_t stride) const {
    const std::uint8_t sample = Sample(dc / 8);
    for (int y = 0; y < height_; ++y) std::fill_n(out + y * stride, width_, sample);
  }

  // Along the rows of frequencies first (only the rows holding a nonzero coefficient), then
  // down the columns. kSquare: the side of a square block, or 0 for the block's own sizes.
  template <int kSquare>
  void Transform(const std::int16_t* coefficients, unsigned rows, std::uint8_t* out, std::size_t stride) const {
    const int width = kSquare != 0 ? kSquare : width_, height = kSquare != 0 ? kSquare : height_;
    float along[8][8];
    int used[8];
    int count = 0;
    for (int v = 0; v < height; ++v) {
      if ((rows >> v & 1) == 0) continue;
      float row[8];
      for (int u = 0; u < width; ++u) row[u] = coefficients[v * width + u] * step_[v * width + u];
      for (int x = 0; x < width; ++x) {
        float sum = 0;
        for (int u = 0; u < width; ++u) sum += across_[x][u] * row[u];
        along[count][x] = sum;
      }
      used[count++] = v;
    }
    for (int y = 0; y < height; ++y) {
      float sums[8] = {};
      for (int i = 0; i < count; ++i) {
        const float weight = down_[y][used[i]];
        for (int x = 0; x < width; ++x) sums[x] += weight * along[i][x];
      }
      for (int x = 0; x < width; ++x) out[y * stride + x] = Sample(sums[x]);
    }
  }

  int width_, height_;
  float across_[8][8] = {}, down_[8][8] = {};
  float step_[64] = {};  // the quantization step of each kept coefficient
};

// YCbCr (JFIF, full range) to RGB in integers, as tables over the 256 chroma values.
class YccToRgb {
 public:
  YccToRgb() {
    for (int i = 0; i < 256; ++i) {
      const double c = i - 128;
      red_cr_[i] = static_cast<int>(std::lround(1.402 * c));
      blue_cb_[i] = static_cast<int>(std::lround(1.772 * c));
      green_cb_[i] = static_cast<int>(std::lround(-0.344136 * c * 65536));
      green_cr_[i] = static_cast<int>(std::lround(-0.714136 * c * 65536));
    }
  }
  void Convert(int y, int cb, int cr, std::uint8_t* rgb) const {
    rgb[0] = Clamp(y + red_cr_[cr]);
    rgb[1] = Clamp(y + ((green_cb_[cb] + green_cr_[cr] + 32768) >> 16));
    rgb[2] = Clamp(y + blue_cb_[cb]);
  }

 private:
  static std::uint8_t Clamp(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }
  std::array<int, 256> red_cr_{}, blue_cb_{}, green_cb_{}, green_cr_{};
};

// One component of the scan. A component sampled at 1 / r of the full rate in a direction is
// reconstructed with r times the points that way (as far as 8), so that it comes out at the
// output's rate; what is left over is made up by repeating samples.
struct ComponentLayout {
  int mcu_width, mcu_height;        // blocks of it in one MCU
  int blocks_across;                // in one MCU row
  int block_width, block_height;    // samples a block
  int repeat_x, repeat_y;           // output pixels per sample
  const JQUANT_TBL* quant;
};

// Everything about the file and the scale that stays the same from row to row.
struct Layout {
  Size natural, scaled;
  int mcus_across, mcu_rows;
  int rows_per_mcu_row;  // output rows
  bool grey;
  std::vector<ComponentLayout> components;
  // For each block of an MCU: its component and its place (in blocks) within the MCU.
  struct McuBlock {
    int component, x, y;
  };
  std::vector<McuBlock> mcu_blocks;

  std::size_t BlockCount(std::size_t c) const {
    return static_cast<std::size_t>(components[c].blocks_across) * components[c].mcu_height;
  }
  std::size_t SampleStride(std::size_t c) const {
    return static_cast<std::size_t>(components[c].blocks_across) * components[c].block_width;
  }
};

// Fills in the layout; false for a file this decoder leaves to libjpeg.
bool MakeLayout(const jpeg_decompress_struct& info, int n, Layout& layout) {
  const bool grey = info.jpeg_color_space == JCS_GRAYSCALE && info.num_components == 1;
  const bool ycc = info.jpeg_color_space == JCS_YCbCr && info.num_components == 3;
  if (!jpeg::IsSingleHuffmanScan(info) || (!grey && !ycc) || n < 1 || n > kMaxEighths) return false;
  layout.grey = grey;
  layout.natural = {static_cast<int>(info.image_width), static_cast<int>(info.image_height)};
  layout.scaled = {static_cast<int>((std::uint64_t{info.image_width} * n + 7) / 8),
                   static_cast<int>((std::uint64_t{info.image_height} * n + 7) / 8)};
  layout.mcus_across = static_cast<int>(info.MCUs_per_row);
  layout.mcu_rows = static_cast<int>(info.MCU_rows_in_scan);
  // A component alone in its scan has one-block MCUs whatever its sampling factors.
  const int mcu_h = info.comps_in_scan == 1 ? 1 : info.max_h_samp_factor;
  const int mcu_v = info.comps_in_scan == 1 ? 1 : info.max_v_samp_factor;
  layout.rows_per_mcu_row = mcu_v * n;
  for (int c = 0; c < info.comps_in_scan; ++c) {
    const jpeg_component_info& component = *info.cur_comp_info[c];
    if (component.quant_table == nullptr || mcu_h % component.MCU_width != 0 || mcu_v % component.MCU_height != 0)
      return false;
    const int rate_x = mcu_h / component.MCU_width, rate_y = mcu_v / component.MCU_height;
    const int widen_x = n * rate_x <= 8 ? rate_x : 1, widen_y = n * rate_y <= 8 ? rate_y : 1;
    layout.components.push_back({component.MCU_width, component.MCU_height, layout.mcus_across * component.MCU_width,
                                 n * widen_x, n * widen_y, rate_x / widen_x, rate_y / widen_y, component.quant_table});
  }
  std::vector<int> taken(layout.components.size());
  for (int b = 0; b < info.blocks_in_MCU; ++b) {
    const int c = info.MCU_membership[b];
    const int index = taken[c]++;
    layout.mcu_blocks.push_back({c, index % layout.components[c].mcu_width, index / layout.components[c].mcu_width});
  }
  return true;
}

// The decoded low coefficients of one MCU row: per component and block, the kept coefficients
// and the rows of them that may hold a nonzero one.
struct CoefficientRow {
  std::vector<std::vector<std::int16_t>> coefficients;  // BlockArea values a block
  std::vector<std::vector<std::uint8_t>> rows;

  explicit CoefficientRow(const Layout& layout) {
    for (std::size_t c = 0; c < layout.components.size(); ++c) {
      coefficients.emplace_back(layout.BlockCount(c) * BlockArea(layout.components[c]));
      rows.emplace_back(layout.BlockCount(c));
    }
  }
  // The kept coefficients and the spare place (see KeptCoefficients).
  static std::size_t BlockArea(const ComponentLayout& component) {
    return static_cast<std::size_t>(component.block_width) * component.block_height + 1;
  }
};

// The Huffman decoding of the scan, MCU row by MCU row.
class EntropyDecoder {
 public:
  EntropyDecoder(const jpeg_decompress_struct& info, const Layout& layout)
      : layout_(layout),
        bits_(info.src->next_input_byte, info.src->next_input_byte + info.src->bytes_in_buffer),
        mcus_(info, bits_),
        predictions_(layout.components.size()) {
    for (const ComponentLayout& component : layout.components) kept_.emplace_back(component.block_width, component.block_height);
  }

  bool Build(const jpeg_decompress_struct& info) {
    tables_ = std::make_unique<ScanTables>();
    if (!tables_->Build(info)) return false;
    for (int b = 0; b < info.blocks_in_MCU; ++b) pairs_of_block_.push_back(&PairsFor(*tables_->Block(b).ac));
    return true;
  }

  // Decodes the next MCU row into `row`; false on a fault.
  bool DecodeRow(CoefficientRow& row) {
    for (std::size_t c = 0; c < row.coefficients.size(); ++c) {
      std::fill(row.coefficients[c].begin(), row.coefficients[c].end(), std::int16_t{0});
      std::fill(row.rows[c].begin(), row.rows[c].end(), std::uint8_t{0});
    }
    for (int mcu = 0; mcu < layout_.mcus_across; ++mcu) {
      bool restarted = false;
      if (!mcus_.Next(&restarted)) return false;
      if (restarted) std::fill(predictions_.begin(), predictions_.end(), 0u);
      for (std::size_t b = 0; b < layout_.mcu_blocks.size(); ++b) {
        const Layout::McuBlock& place = layout_.mcu_blocks[b];
        const ComponentLayout& component = layout_.components[place.component];
        const std::size_t block = static_cast<std::size_t>(place.y) * component.blocks_across +
                                  static_cast<std::size_t>(mcu) * component.mcu_width + place.x;
        if (!DecodeBlock(tables_->Block(static_cast<int>(b)), *pairs_of_block_[b], place.component,
                         row.coefficients[place.component].data() + block * CoefficientRow::BlockArea(component),
                         row.rows[place.component][block]))
          return false;
      }
    }
    return true;
  }

  // After the last row: the data must end at the end-of-image marker.
  bool End() { return mcus_.End(); }

 private:
  // Each AC table's pairs, built once.
  const ValuePairs& PairsFor(const jpeg::HuffmanCodes& ac) {
    for (const auto& [codes, pairs] : pairs_)
      if (codes == &ac) return *pairs;
    pairs_.emplace_back(&ac, std::make_unique<ValuePairs>());
    pairs_.back().second->Build(ac);
    return *pairs_.back().second;
  }

  bool DecodeBlock(const BlockRuns& tables, const ValuePairs& pairs, int c, std::int16_t* block,
                   std::uint8_t& nonzero_rows) {
    const KeptCoefficients& kept = kept_[c];
    Code code;
    int value = 0;
    if (!bits_.ReadCode(*tables.dc, code, value)) return false;
    // Unsigned: a damaged stream may push the running sum past any bound; it wraps as in libjpeg,
    // which keeps coefficients in 16 bits too.
    predictions_[c] += static_cast<unsigned>(value);
    block[0] = static_cast<std::int16_t>(predictions_[c]);
    unsigned rows = 1;  // kept in a register: a byte written through a reference may alias anything
    int index = 1;
    // The coefficient a code gives, if it has value bits, is the last one its step covers.
    auto take = [&](int step, int value) {
      const int at = index + step - 1;
      block[kept.place[at]] = static_cast<std::int16_t>(value);
      rows |= kept.row_bit[at];
      index += step;
    };
    while (index <= kept.last) {
      const ValuePairs::Pair& pair = pairs.At(bits_.Peek());
      if (pair.bits_first == 0) {
        if (!bits_.ReadCode(*tables.ac, code, value)) return false;
        take(code.step, value);
        continue;
      }
      take(pair.step_first, pair.value_first);
      const bool both = pair.bits_both != 0 && index < 64;
      if (both) take(pair.step_second, pair.value_second);
      if (!bits_.Skip(both ? pair.bits_both : pair.bits_first)) return false;
    }
    nonzero_rows = static_cast<std::uint8_t>(rows);
    while (index < 64) {
      if (!bits_.SkipCodes(*tables.within, index)) return false;
    }
    return true;
  }

  const Layout& layout_;
  std::vector<KeptCoefficients> kept_;
  SegmentBits bits_;
  McuSequence mcus_;
  std::vector<unsigned> predictions_;
  std::unique_ptr<ScanTables> tables_;
  std::vector<std::pair<const jpeg::HuffmanCodes*, std::unique_ptr<ValuePairs>>> pairs_;
  std::vector<const ValuePairs*> pairs_of_block_;
};

// Reconstructs MCU rows into samples and hands their output rows to the target.
class RowMaker {
 public:
  explicit RowMaker(const Layout& layout) : layout_(layout) {
    rgb_.resize(static_cast<std::size_t>(layout.scaled.width) * 3);
    for (std::size_t c = 0; c < layout.components.size(); ++c) {
      const ComponentLayout& component = layout.components[c];
      idct_.emplace_back(component.block_width, component.block_height, *component.quant);
      samples_.emplace_back(layout.SampleStride(c) * component.mcu_height * component.block_height);
      lines_.emplace_back(component.repeat_x > 1 ? layout.scaled.width : 0);
    }
  }

  void Emit(const CoefficientRow& row, int mcu_row, JpegRowTarget& target) {
    for (std::size_t c = 0; c < samples_.size(); ++c) Reconstruct(row, c);
    const int first = mcu_row * layout_.rows_per_mcu_row;
    const int rows = std::min(layout_.rows_per_mcu_row, layout_.scaled.height - first);
    for (int y = 0; y < rows; ++y) {
      const std::uint8_t* lines[3] = {};
      for (std::size_t c = 0; c < samples_.size(); ++c) lines[c] = Line(c, y);
      std::uint8_t* out = rgb_.data();
      if (layout_.grey) {
        for (int x = 0; x < layout_.scaled.width; ++x, out += 3) out[0] = out[1] = out[2] = lines[0][x];
      } else {
        for (int x = 0; x < layout_.scaled.width; ++x, out += 3) ycc_.Convert(lines[0][x], lines[1][x], lines[2][x], out);
      }
      target.Row(rgb_.data());
    }
  }

 private:
  void Reconstruct(const CoefficientRow& row, std::size_t c) {
    const ComponentLayout& component = layout_.components[c];
    const std::size_t stride = layout_.SampleStride(c);
    const std::size_t width = static_cast<std::size_t>(component.block_width), height = static_cast<std::size_t>(component.block_height);
    for (int by = 0; by < component.mcu_height; ++by)
      for (int bx = 0; bx < component.blocks_across; ++bx) {
        const std::size_t block = static_cast<std::size_t>(by) * component.blocks_across + bx;
        idct_[c].Apply(row.coefficients[c].data() + block * CoefficientRow::BlockArea(component), row.rows[c][block],
                       samples_[c].data() + by * height * stride + bx * width, stride);
      }
  }

  // Output row `y` of the MCU row for component `c`, one value per output column.
  const std::uint8_t* Line(std::size_t c, int y) {
    const ComponentLayout& component = layout_.components[c];
    const std::uint8_t* samples = samples_[c].data() + static_cast<std::size_t>(y / component.repeat_y) * layout_.SampleStride(c);
    if (component.repeat_x == 1) return samples;
    for (int x = 0; x < layout_.scaled.width; ++x) lines_[c][x] = samples[x / component.repeat_x];
    return lines_[c].data();
  }

  const Layout& layout_;
  std::vector<InverseDct> idct_;
  YccToRgb ycc_;
  std::vector<std::vector<std::uint8_t>> samples_;  // per component, one MCU row
  std::vector<std::vector<std::uint8_t>> lines_;    // per component with repeated columns
  std::vector<std::uint8_t> rgb_;
};

// Decoded MCU rows on their way from the entropy thread to the reconstruction: a ring of a few
// rows, so that the two threads run side by side, at most that many rows apart.
class RowQueue {
 public:
  RowQueue(const Layout& layout, int depth) {
    for (int i = 0; i < depth; ++i) rows_.emplace_back(layout);
  }

  // Entropy thread: the buffer for row `index`, once the reconstruction is done with its
  // earlier user; null once the reconstruction has stopped.
  CoefficientRow* Free(int index) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return closed_ || index - consumed_ < static_cast<int>(rows_.size()); });
    return closed_ ? nullptr : &rows_[static_cast<std::size_t>(index) % rows_.size()];
  }
  // Entropy thread: row `index` is decoded, or (false) the data is faulty and no row follows.
  void Filled(int index, bool decoded) {
    {
      std::lock_guard lock(mutex_);
      if (decoded) produced_ = index + 1;
      else failed_ = true;
    }
    changed_.notify_all();
  }

  // Reconstruction: row `index` once decoded; null when the data turned out faulty first.
  const CoefficientRow* Filled(int index) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return produced_ > index || failed_; });
    return produced_ > index ? &rows_[static_cast<std::size_t>(index) % rows_.size()] : nullptr;
  }
  // Reconstruction: done with row `index`.
  void Release(int index) {
    {
      std::lock_guard lock(mutex_);
      consumed_ = index + 1;
    }
    changed_.notify_all();
  }
  // Reconstruction: stopped, whether done or not; the entropy thread gets no more buffers.
  void Close() {
    {
      std::lock_guard lock(mutex_);
      closed_ = true;
    }
    changed_.notify_all();
  }

 private:
  std::vector<CoefficientRow> rows_;
  std::mutex mutex_;
  std::condition_variable changed_;
  int produced_ = 0, consumed_ = 0;
  bool failed_ = false, closed_ = false;
};

// Closes the queue when the reconstruction leaves, however it leaves, before the entropy
// thread is joined.
class ClosedOnExit {
 public:
  explicit ClosedOnExit(RowQueue& queue) : queue_(queue) {}
  ClosedOnExit(const ClosedOnExit&) = delete;
  ClosedOnExit& operator=(const ClosedOnExit&) = delete;
  ~ClosedOnExit() { queue_.Close(); }

 private:
  RowQueue& queue_;
};

}  // namespace

int ReducedEighths(Size natural, Size at_least) {
  if (at_least.width <= 0 || at_least.height <= 0) return 0;
  for (int n = 1; n <= kMaxEighths; ++n) {
    auto scaled = [n](int side) { return (std::int64_t{side} * n + 7) / 8; };
    if (scaled(natural.width) >= at_least.width && scaled(natural.height) >= at_least.height) return n;
  }
  return 0;
}

bool DecodeReduced(const jpeg_decompress_struct& started, int eighths, JpegRowTarget& target) {
  Layout layout;
  if (!MakeLayout(started, eighths, layout)) return false;
  EntropyDecoder entropy(started, layout);
  if (!entropy.Build(started)) return false;
  if (!target.Begin(layout.natural, layout.scaled)) return false;
  RowMaker maker(layout);
  constexpr int kRowsInFlight = 4;
  RowQueue queue(layout, kRowsInFlight);

  bool intact = false;
  std::jthread decoding;
  try {
    decoding = std::jthread([&] {
      for (int mcu_row = 0; mcu_row < layout.mcu_rows; ++mcu_row) {
        CoefficientRow* row = queue.Free(mcu_row);
        if (row == nullptr) return;
        if (!entropy.DecodeRow(*row)) return queue.Filled(mcu_row, false);
        queue.Filled(mcu_row, true);
      }
      intact = entropy.End();
    });
  } catch (const std::system_error&) {
    return false;  // no thread to be had: libjpeg decodes the picture
  }
  const ClosedOnExit closed(queue);
  for (int mcu_row = 0; mcu_row < layout.mcu_rows; ++mcu_row) {
    const CoefficientRow* row = queue.Filled(mcu_row);
    if (row == nullptr) return false;
    maker.Emit(*row, mcu_row, target);
    queue.Release(mcu_row);
  }
  queue.Close();
  decoding.join();
  return intact;
}

}  // namespace saver
