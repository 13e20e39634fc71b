#pragma once
#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <vector>

#include <jpeglib.h>

namespace saver {

// One horizontal stripe of a JPEG, a JPEG of its own: the file's markers up to its scan data,
// with the frame claiming the stripe's height, then the stripe's share of the scan data.
struct JpegStripe {
  std::vector<std::uint8_t> header;
  std::span<const std::uint8_t> data;
  bool needs_end_marker = false;  // the first stripe ends where the file goes on
};

// Splits a one-scan sequential JPEG whose header `info` has read (jpeg_read_header) into a top
// and a bottom stripe that libjpeg decodes independently, at the restart marker nearest the
// middle that starts both a row of MCUs and a cycle of the eight marker numbers: the bottom
// stripe's markers then count from 0 as a decoder expects. Nothing when the file has no
// restart markers, several scans, or such a marker is not where the header says it must be.
std::optional<std::array<JpegStripe, 2>> SplitAtRestartMarker(std::span<const std::uint8_t> file,
                                                              const jpeg_decompress_struct& info);

// A libjpeg source reading a stripe in place, without copying its data. Lives as long as the
// decompression it is installed in. Data that ends early gives libjpeg's warning of a premature
// end, as its memory source does.
class CStripeSource {
 public:
  explicit CStripeSource(const JpegStripe& stripe);
  CStripeSource(const CStripeSource&) = delete;
  CStripeSource& operator=(const CStripeSource&) = delete;
  void Install(jpeg_decompress_struct& info);

 private:
  static boolean Fill(j_decompress_ptr info);
  static void Skip(j_decompress_ptr info, long bytes);

  jpeg_source_mgr manager_{};  // first member: libjpeg's pointer to it is a pointer to this
  std::array<std::span<const std::uint8_t>, 3> pieces_;
  std::size_t next_piece_ = 0;
};

}  // namespace saver
