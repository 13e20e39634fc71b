#pragma once
// The Huffman-coded data of a sequential JPEG, walked by the project's own scan check (see
// JpegScanCheck.h): the canonical code tables, the segment bits between markers, and the walk
// through a one-scan file's MCUs.
#include <cstdio>

#include <algorithm>
#include <array>
#include <cstdint>

#include <jpeglib.h>

namespace saver::jpeg {

// Codes up to this length are found with one table look-up; longer ones (rare in real tables)
// are found length by length.
constexpr int kLookupBits = 11;
constexpr int kMaxCodeLength = 16;
// What a code does to the coefficient index of a block: an end-of-block code jumps past the end.
constexpr int kEndOfBlockStep = 64;
constexpr int kMaxCodesPerLookup = 3;

// One Huffman code with its value bits: how many bits they take, and how far the code moves the
// block's coefficient index (the coefficient it gives, if any, is the last one it covers).
struct Code {
  int bits = 0;  // 0: no code
  int step = 0;
};

// One Huffman table as canonical codes.
class CHuffmanCodes {
 public:
  // False for a table libjpeg would not accept (it refuses those when the decompression starts).
  // A DC code moves the index from the block's DC coefficient to its first AC one.
  bool Build(const JHUFF_TBL& table, bool dc) {
    dc_ = dc;
    int code = 0, first_symbol = 0;
    for (int length = 1; length <= kMaxCodeLength; ++length) {
      const int count = table.bits[length];
      if (first_symbol + count > 256) return false;
      first_offset_[length] = first_symbol - code;
      for (int i = 0; i < count; ++i, ++code) {
        const std::uint8_t symbol = table.huffval[first_symbol + i];
        if (dc && symbol > 15) return false;  // more value bits than any coefficient has
        if (length > kLookupBits) continue;
        const Code described = Describe(symbol, length);
        const ShortCode packed{static_cast<std::uint8_t>(described.bits), static_cast<std::uint8_t>(described.step)};
        std::fill_n(short_.begin() + (code << (kLookupBits - length)), 1 << (kLookupBits - length), packed);
      }
      last_code_[length] = count > 0 ? code - 1 : -1;
      first_symbol += count;
      // A length's codes must leave its all-ones pattern unused.
      if (code >= (1 << length)) return false;
      code <<= 1;
    }
    symbols_ = table.huffval;
    return true;
  }

  // The code the stream's next kLookupBits bits start with, if it is no longer than that.
  Code Short(std::size_t next_bits) const {
    const ShortCode code = short_[next_bits];
    return {code.bits, code.step};
  }

  // The code the stream's next 16 bits start with when it is longer than kLookupBits bits.
  Code Long(std::uint32_t next_16_bits) const {
    for (int length = kLookupBits + 1; length <= kMaxCodeLength; ++length) {
      const int code = static_cast<int>(next_16_bits >> (kMaxCodeLength - length));
      if (code <= last_code_[length]) return Describe(symbols_[(code + first_offset_[length]) & 0xFF], length);
    }
    return {};
  }

 private:
  // An AC symbol's high nibble is a run of zero coefficients, its low nibble the count of value
  // bits that follow; 0x00 ends the block and 0xF0 covers sixteen zeros. A DC symbol is a count
  // of value bits alone.
  Code Describe(std::uint8_t symbol, int code_length) const {
    if (dc_) return {code_length + symbol, 1};
    const int run = symbol >> 4, size = symbol & 15;
    const int step = size != 0 ? run + 1 : run == 15 ? 16 : kEndOfBlockStep;
    return {code_length + size, step};
  }

  bool dc_ = false;
  // Two bytes a code, so that a table stays small in the cache.
  struct ShortCode {
    std::uint8_t bits = 0, step = 0;
  };
  std::array<ShortCode, 1 << kLookupBits> short_{};
  std::array<int, kMaxCodeLength + 1> last_code_{};     // largest code of each length, -1 if none
  std::array<int, kMaxCodeLength + 1> first_offset_{};  // symbol index less code, per length
  const std::uint8_t* symbols_ = nullptr;
};

// What the next kLookupBits bits of the stream start with: the first code, and the longest run of
// whole codes there (which must not run past the block's end: see StartOfLast), packed in 32 bits
// so that a table stays small in the cache. 0: the bits start a longer code, or none.
class CLookup {
 public:
  CLookup() = default;
  CLookup(Code first, Code all, int start_of_last)
      : packed_(static_cast<std::uint32_t>(all.bits) | static_cast<std::uint32_t>(all.step) << 5 |
                static_cast<std::uint32_t>(first.bits) << 12 | static_cast<std::uint32_t>(first.step) << 17 |
                static_cast<std::uint32_t>(start_of_last) << 24) {}

  bool Found() const { return packed_ != 0; }
  Code All() const { return {static_cast<int>(packed_ & 31), static_cast<int>(packed_ >> 5 & 127)}; }
  Code First() const { return {static_cast<int>(packed_ >> 12 & 31), static_cast<int>(packed_ >> 17 & 127)}; }
  // The coefficient index the last code of the run starts at, counted from the first code's.
  int StartOfLast() const { return static_cast<int>(packed_ >> 24); }

 private:
  std::uint32_t packed_ = 0;
};

// Runs of codes: a first code of one table followed by AC codes (a block's DC code and its
// first AC codes, or AC codes alone). Most AC codes take two to four bits with their value bits,
// so one look-up takes up to kMaxCodesPerLookup codes when they fit in its bits: fewer dependent
// look-ups per block.
class CCodeRuns {
 public:
  void Build(const CHuffmanCodes& first, const CHuffmanCodes& ac) {
    first_ = &first;
    for (std::size_t next = 0; next < lookup_.size(); ++next) lookup_[next] = RunAt(first, ac, next);
  }

  CLookup Short(std::uint32_t next_bits) const { return lookup_[next_bits]; }
  Code Long(std::uint32_t next_16_bits) const { return first_->Long(next_16_bits); }

 private:
  static CLookup RunAt(const CHuffmanCodes& first_codes, const CHuffmanCodes& ac, std::size_t next) {
    constexpr std::size_t kMask = (1u << kLookupBits) - 1;
    const Code first = first_codes.Short(next);
    if (first.bits == 0) return {};
    Code all = first;
    int start_of_last = 0;
    for (int taken = 1; taken < kMaxCodesPerLookup && all.bits < kLookupBits && all.step < kEndOfBlockStep; ++taken) {
      const Code following = ac.Short((next << all.bits) & kMask);
      if (following.bits == 0 || all.bits + following.bits > kLookupBits) break;
      start_of_last = all.step;
      all = {all.bits + following.bits, all.step + following.step};
    }
    return CLookup(first, all, start_of_last);
  }

  const CHuffmanCodes* first_ = nullptr;
  std::array<CLookup, 1 << kLookupBits> lookup_{};
};

// Any byte of the eight equal to 0xFF (now and then a byte that is not, which only costs time).
inline bool MayHoldFF(std::uint64_t eight) {
  const std::uint64_t inverted = ~eight;
  return ((inverted - 0x0101010101010101u) & ~inverted & 0x8080808080808080u) != 0;
}

inline std::uint64_t BigEndian64(const std::uint8_t* p) {
  std::uint64_t value = 0;
  for (int i = 0; i < 8; ++i) value = value << 8 | p[i];
  return value;
}

// The bits of one entropy-coded segment, most significant first, with the stuffed zero after
// each 0xFF data byte removed. The segment ends at a marker (or the end of the data); reading
// never goes past it.
class CSegmentBits {
 public:
  CSegmentBits(const std::uint8_t* data, const std::uint8_t* end) : next_(data), end_(end) {}

  // Skips the next codes of `table` with their value bits, as many as one look-up finds and the
  // block at coefficient `index` still holds, and moves `index` on; false when the stream holds
  // no code there or the segment ends first (a damaged stream, for libjpeg to judge).
  bool SkipCodes(const CCodeRuns& table, int& index) {
    if (count_ < 32) Refill();  // a code and its value bits take at most 31
    const CLookup found = table.Short(static_cast<std::uint32_t>(bits_ >> (64 - kLookupBits)));
    Code code = found.All();
    if (!found.Found()) [[unlikely]] {
      code = table.Long(static_cast<std::uint32_t>(bits_ >> (64 - kMaxCodeLength)));
    } else if (index + found.StartOfLast() >= 64) [[unlikely]] {
      code = found.First();
    }
    if (code.bits == 0 || code.bits > count_) [[unlikely]] return false;
    bits_ <<= code.bits;
    count_ -= code.bits;
    index += code.step;
    return true;
  }

  // The stream's next 32 bits (zeros past the segment's end): a code and its value bits.
  std::uint32_t Peek32() {
    if (count_ < 32) Refill();
    return static_cast<std::uint32_t>(bits_ >> 32);
  }
  // Skips `n` bits (0 to 31: a code that Peek32 showed and its value bits); false when the
  // segment holds fewer.
  bool Skip(int n) {
    if (n > count_) return false;
    bits_ <<= n;
    count_ -= n;
    return true;
  }

  // Ends the segment at `marker`: the unused bits of the last byte are dropped, and the next
  // bytes must be that marker with nothing but fill bytes (0xFF) before it.
  bool EndAt(std::uint8_t marker) {
    if (count_ >= 8) return false;  // whole bytes left over: extra data before the marker
    bits_ = 0;
    count_ = 0;
    if (next_ == end_ || *next_ != 0xFF) return false;
    while (next_ != end_ && *next_ == 0xFF) ++next_;
    if (next_ == end_ || *next_ != marker) return false;
    ++next_;
    return true;
  }

 private:
  // Tops the buffer up to at least 57 bits, or to the last bit before the segment's end.
  void Refill() {
    if (end_ - next_ >= 8) {
      const std::uint64_t eight = BigEndian64(next_);
      if (!MayHoldFF(eight)) {
        const int bytes = (63 - count_) / 8;
        bits_ |= eight >> count_;
        count_ += bytes * 8;
        next_ += bytes;
        bits_ &= ~(~std::uint64_t{0} >> count_);  // drop the part of the byte not taken
        return;
      }
    }
    while (count_ <= 56 && next_ != end_) {
      std::uint8_t byte = *next_;
      if (byte == 0xFF) {
        if (end_ - next_ < 2 || next_[1] != 0) return;  // a marker
        ++next_;
      }
      ++next_;
      bits_ |= std::uint64_t{byte} << (56 - count_);
      count_ += 8;
    }
  }

  std::uint64_t bits_ = 0;  // the next count_ bits at the top, zeros below
  int count_ = 0;
  const std::uint8_t* next_;
  const std::uint8_t* end_;
};

// The tables of one block of an MCU: its codes, and the runs from its DC code on and within its
// AC codes.
struct BlockRuns {
  const CCodeRuns* start;
  const CCodeRuns* within;
};

inline bool SkipBlock(CSegmentBits& bits, const BlockRuns& runs) {
  int index = 0;
  if (!bits.SkipCodes(*runs.start, index)) return false;
  while (index < 64) {
    if (!bits.SkipCodes(*runs.within, index)) return false;
  }
  return true;
}

inline bool IsSingleHuffmanScan(const jpeg_decompress_struct& info) {
  return !info.progressive_mode && !info.arith_code && info.comps_in_scan == info.num_components &&
         info.Ss == 0 && info.Se == DCTSIZE2 - 1 && info.Ah == 0 && info.Al == 0 && info.blocks_in_MCU > 0 &&
         info.blocks_in_MCU <= D_MAX_BLOCKS_IN_MCU && info.src != nullptr;
}

// The tables of one scan, each built once, and the runs of each block of its MCU.
class CScanTables {
 public:
  // False when a table is missing or malformed.
  bool Build(const jpeg_decompress_struct& info) {
    for (int b = 0; b < info.blocks_in_MCU; ++b) {
      const jpeg_component_info& component = *info.cur_comp_info[info.MCU_membership[b]];
      const int dc = component.dc_tbl_no, ac = component.ac_tbl_no;
      if (dc < 0 || dc >= NUM_HUFF_TBLS || ac < 0 || ac >= NUM_HUFF_TBLS) return false;
      const CHuffmanCodes* dc_codes = Codes(dc, info.dc_huff_tbl_ptrs[dc], true);
      const CHuffmanCodes* ac_codes = Codes(NUM_HUFF_TBLS + ac, info.ac_huff_tbl_ptrs[ac], false);
      if (!dc_codes || !ac_codes) return false;
      blocks_[b] = {Runs(starts_[dc * NUM_HUFF_TBLS + ac], *dc_codes, *ac_codes), Runs(within_[ac], *ac_codes, *ac_codes)};
    }
    return true;
  }

  const BlockRuns& Block(int b) const { return blocks_[b]; }

 private:
  template <typename T>
  struct Once {
    T value;
    bool built = false;
  };

  const CHuffmanCodes* Codes(int slot, const JHUFF_TBL* table, bool dc) {
    Once<CHuffmanCodes>& codes = codes_[slot];
    if (!codes.built) {
      if (table == nullptr || !codes.value.Build(*table, dc)) return nullptr;
      codes.built = true;
    }
    return &codes.value;
  }

  static const CCodeRuns* Runs(Once<CCodeRuns>& runs, const CHuffmanCodes& first, const CHuffmanCodes& ac) {
    if (!runs.built) runs.value.Build(first, ac);
    runs.built = true;
    return &runs.value;
  }

  std::array<Once<CHuffmanCodes>, 2 * NUM_HUFF_TBLS> codes_;           // DC tables, then AC tables
  std::array<Once<CCodeRuns>, NUM_HUFF_TBLS * NUM_HUFF_TBLS> starts_;  // per DC and AC table
  std::array<Once<CCodeRuns>, NUM_HUFF_TBLS> within_;                  // per AC table
  std::array<BlockRuns, D_MAX_BLOCKS_IN_MCU> blocks_{};
};

// The MCUs of a one-scan file in stream order: each restart interval ends at its marker, the
// scan at the end-of-image marker.
class CMcuSequence {
 public:
  CMcuSequence(const jpeg_decompress_struct& info, CSegmentBits& bits)
      : bits_(bits), interval_(info.restart_interval), left_in_interval_(interval_) {}

  // Call before each MCU; false on a fault at a restart marker. `restarted`, when given, tells
  // whether the MCU starts a new restart interval (the DC predictions start from 0 again).
  bool Next(bool* restarted = nullptr) {
    if (restarted) *restarted = false;
    if (interval_ == 0 || left_in_interval_-- != 0) return true;
    if (restarted) *restarted = true;
    if (!bits_.EndAt(static_cast<std::uint8_t>(JPEG_RST0 + restart_number_))) return false;
    restart_number_ = (restart_number_ + 1) & 7;
    left_in_interval_ = interval_ - 1;
    return true;
  }

  // Call after the last MCU.
  bool End() { return bits_.EndAt(JPEG_EOI); }

 private:
  CSegmentBits& bits_;
  unsigned interval_, left_in_interval_, restart_number_ = 0;
};

}  // namespace saver::jpeg
