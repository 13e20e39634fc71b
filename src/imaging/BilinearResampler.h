#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/Rect.h"

namespace saver {

// Bilinear resampling that takes the source one row at a time, top row first, so a decoder
// can feed it while it decodes and no full-size copy of the source is ever held. Pixel
// centres are aligned: destination pixel d samples source position (d + 0.5) * S / D - 0.5,
// clamped to the picture, so edges repeat instead of fading. Weights are in 1/256 steps and
// the result is rounded to the nearest value. The order of the two passes is chosen for speed
// and does not change the result: every sum is exact until the final rounding.
class CBilinearResampler {
 public:
  // `channels` bytes per pixel (1 to 4); `out` holds dst.height rows of `out_stride` bytes.
  CBilinearResampler(Size src, Size dst, int channels, std::uint8_t* out, std::size_t out_stride);

  void PushRow(const std::uint8_t* row);

 private:
  struct Tap {
    int first;        // source index of the left/upper neighbour
    int second;       // right/lower neighbour (equal to first at the edge)
    unsigned weight;  // share of `second`, 0..256
  };
  static std::vector<Tap> Taps(int src, int dst);
  template <typename In, typename Out, int kShift, int kChannels>
  static void MixAlongRow(const In* row, const Tap* taps, std::size_t count, Out* out);
  template <typename In, typename Out, int kShift>
  void MixAlongRow(const In* row, Out* out) const;
  void EmitReadyRows();
  void PushRowRowsFirst(int index, const std::uint8_t* row);

  Size src_, dst_;
  int channels_;
  std::uint8_t* out_;
  std::size_t out_stride_;
  std::vector<Tap> columns_, rows_;
  // A picture that keeps or loses height is blended row with row first, and only destination
  // rows are resampled along the row: at most one destination row is open at a time, its two
  // source rows summed in `row_sum_` (scaled by 256). A picture that grows taller is resampled
  // along each source row first, into the two most recent rows needed (scaled by 256), which
  // many destination rows then share. 255 * 256 fits in 16 bits.
  bool rows_first_;
  std::vector<std::uint16_t> row_sum_;
  std::vector<std::uint16_t> older_, newer_;
  int older_index_ = -1, newer_index_ = -1;
  int next_src_row_ = 0;
  int next_dst_row_ = 0;
};

// Resamples a whole picture. Fails (false) on a null buffer, a zero or negative size, a row
// length shorter than the width, or a pixel size outside 1 to 4 bytes.
bool ResizeBilinear(const std::uint8_t* src, int src_width, int src_height, std::size_t src_stride,
                    std::uint8_t* dst, int dst_width, int dst_height, std::size_t dst_stride,
                    int bytes_per_pixel);

}  // namespace saver
