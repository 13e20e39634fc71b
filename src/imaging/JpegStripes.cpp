#include "imaging/JpegStripes.h"

#include <cstring>
#include <numeric>

#include <jerror.h>

namespace saver {
namespace {

constexpr std::uint8_t kMarker = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8, kEndOfImage = 0xD9, kStartOfScan = 0xDA;
constexpr std::uint8_t kFirstRestart = 0xD0, kLastRestart = 0xD7;
constexpr std::uint8_t kEndMarker[] = {kMarker, kEndOfImage};
constexpr int kRestartNumbers = 8;

bool IsRestart(std::uint8_t code) { return code >= kFirstRestart && code <= kLastRestart; }

int BigEndian16(const std::uint8_t* p) { return p[0] << 8 | p[1]; }

// Where the frame header's height is stored and where the scan data begins.
struct FileLayout {
  std::size_t height_at = 0;
  std::size_t scan_data = 0;
};

// Walks the markers up to the first scan; only Huffman sequential frames (SOF0, SOF1) qualify.
std::optional<FileLayout> FindFrameAndScan(std::span<const std::uint8_t> file) {
  if (file.size() < 4 || file[0] != kMarker || file[1] != kStartOfImage) return std::nullopt;
  FileLayout layout;
  for (std::size_t at = 2; at + 4 <= file.size();) {
    if (file[at] != kMarker) return std::nullopt;
    const std::uint8_t code = file[at + 1];
    if (code == kMarker) {  // fill byte
      ++at;
      continue;
    }
    const std::size_t length = static_cast<std::size_t>(BigEndian16(&file[at + 2]));
    if (length < 2 || at + 2 + length > file.size()) return std::nullopt;
    if (code == 0xC0 || code == 0xC1) layout.height_at = at + 5;
    else if (code >= 0xC2 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC) return std::nullopt;
    if (code == kStartOfScan) {
      if (layout.height_at == 0) return std::nullopt;
      layout.scan_data = at + 2 + length;
      return layout;
    }
    at += 2 + length;
  }
  return std::nullopt;
}

// The offset of the `count`-th restart marker of the scan data (1 is the first); nothing when
// the scan ends before it.
std::optional<std::size_t> FindRestartMarker(std::span<const std::uint8_t> file, std::size_t from, std::size_t count) {
  const std::uint8_t* const begin = file.data();
  const std::uint8_t* const end = begin + file.size();
  for (const std::uint8_t* p = begin + from; p + 1 < end;) {
    p = static_cast<const std::uint8_t*>(std::memchr(p, kMarker, static_cast<std::size_t>(end - p - 1)));
    if (p == nullptr) return std::nullopt;
    const std::uint8_t code = p[1];
    if (code == 0x00 || code == kMarker) {  // a stuffed byte, or fill before a marker
      p += code == 0x00 ? 2 : 1;
      continue;
    }
    if (!IsRestart(code)) return std::nullopt;
    if (--count == 0) return static_cast<std::size_t>(p - begin);
    p += 2;
  }
  return std::nullopt;
}

std::vector<std::uint8_t> HeaderWithHeight(std::span<const std::uint8_t> file, const FileLayout& layout, int height) {
  std::vector<std::uint8_t> header(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(layout.scan_data));
  header[layout.height_at] = static_cast<std::uint8_t>(height >> 8);
  header[layout.height_at + 1] = static_cast<std::uint8_t>(height);
  return header;
}

}  // namespace

std::optional<std::array<JpegStripe, 2>> SplitAtRestartMarker(std::span<const std::uint8_t> file,
                                                              const jpeg_decompress_struct& info) {
  if (info.restart_interval == 0 || info.progressive_mode || info.comps_in_scan != info.num_components) return std::nullopt;
  // Only when every component's blocks come in one MCU do MCU rows have the frame's sampling.
  if (info.num_components == 1 && (info.comp_info[0].h_samp_factor != 1 || info.comp_info[0].v_samp_factor != 1))
    return std::nullopt;
  const long mcu_width = 8L * info.max_h_samp_factor, mcu_height = 8L * info.max_v_samp_factor;
  const long mcus_per_row = (static_cast<long>(info.image_width) + mcu_width - 1) / mcu_width;
  const long mcu_rows = (static_cast<long>(info.image_height) + mcu_height - 1) / mcu_height;
  // The split row starts an MCU row, a restart interval and a cycle of the eight marker numbers.
  const long cycle = static_cast<long>(info.restart_interval) * kRestartNumbers;
  const long rows_step = cycle / std::gcd(mcus_per_row, cycle);
  const long split_row = (mcu_rows / 2 + rows_step / 2) / rows_step * rows_step;
  if (split_row <= 0 || split_row >= mcu_rows) return std::nullopt;

  const std::optional<FileLayout> layout = FindFrameAndScan(file);
  if (!layout) return std::nullopt;
  const auto intervals = static_cast<std::size_t>(split_row * mcus_per_row / static_cast<long>(info.restart_interval));
  const std::optional<std::size_t> marker = FindRestartMarker(file, layout->scan_data, intervals);
  if (!marker || file[*marker + 1] != kLastRestart) return std::nullopt;

  const int top_height = static_cast<int>(split_row * mcu_height);
  std::array<JpegStripe, 2> stripes;
  stripes[0].header = HeaderWithHeight(file, *layout, top_height);
  stripes[0].data = file.subspan(layout->scan_data, *marker - layout->scan_data);
  stripes[0].needs_end_marker = true;
  stripes[1].header = HeaderWithHeight(file, *layout, static_cast<int>(info.image_height) - top_height);
  stripes[1].data = file.subspan(*marker + 2);
  return stripes;
}

CStripeSource::CStripeSource(const JpegStripe& stripe)
    : pieces_{std::span<const std::uint8_t>(stripe.header), stripe.data,
              stripe.needs_end_marker ? std::span<const std::uint8_t>(kEndMarker) : std::span<const std::uint8_t>()} {
  manager_.init_source = [](j_decompress_ptr) {};
  manager_.fill_input_buffer = Fill;
  manager_.skip_input_data = Skip;
  manager_.resync_to_restart = jpeg_resync_to_restart;
  manager_.term_source = [](j_decompress_ptr) {};
}

void CStripeSource::Install(jpeg_decompress_struct& info) { info.src = &manager_; }

boolean CStripeSource::Fill(j_decompress_ptr info) {
  auto* self = reinterpret_cast<CStripeSource*>(info->src);
  while (self->next_piece_ < self->pieces_.size() && self->pieces_[self->next_piece_].empty()) ++self->next_piece_;
  if (self->next_piece_ < self->pieces_.size()) {
    const std::span<const std::uint8_t> piece = self->pieces_[self->next_piece_++];
    info->src->next_input_byte = piece.data();
    info->src->bytes_in_buffer = piece.size();
    return TRUE;
  }
  // As libjpeg's memory source: warn, then give it an end marker to stop at.
  WARNMS(info, JWRN_JPEG_EOF);
  info->src->next_input_byte = kEndMarker;
  info->src->bytes_in_buffer = sizeof(kEndMarker);
  return TRUE;
}

void CStripeSource::Skip(j_decompress_ptr info, long bytes) {
  if (bytes <= 0) return;
  auto left = static_cast<std::size_t>(bytes);
  while (left > info->src->bytes_in_buffer) {
    left -= info->src->bytes_in_buffer;
    Fill(info);
  }
  info->src->next_input_byte += left;
  info->src->bytes_in_buffer -= left;
}

}  // namespace saver
