#include "slideshow/JpegPhotoReader.h"

#include <memory>
#include <new>
#include <vector>

#include "imaging/JpegErrorJump.h"
#include "slideshow/AreaAverager.h"

namespace saver::tool {
namespace {

struct Session {
  jpeg_decompress_struct info{};
  JpegErrorJump error{};
  bool created = false;
  ~Session() {
    if (created) jpeg_destroy_decompress(&info);
  }
  std::string Reason() {
    char text[JMSG_LENGTH_MAX] = {};
    error.manager.format_message(reinterpret_cast<j_common_ptr>(&info), text);
    return text;
  }
};

// Both steps below may leave their frame by longjmp: nothing in them has a destructor, and what
// they make lives in the caller's objects.
bool StartHeader(Session& s, std::span<const std::uint8_t> data) {
  s.info.err = s.error.Install(true);
  if (setjmp(s.error.jump)) return false;
  jpeg_create_decompress(&s.info);
  s.created = true;
  jpeg_mem_src(&s.info, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&s.info, TRUE);
  return true;
}

bool IsRgbCapable(const jpeg_decompress_struct& info) {
  return info.jpeg_color_space == JCS_GRAYSCALE || info.jpeg_color_space == JCS_YCbCr ||
         info.jpeg_color_space == JCS_RGB;
}

// The smallest scale M/8 whose output covers the target on both sides.
void ChooseScale(jpeg_decompress_struct& info, Size target) {
  info.scale_denom = 8;
  for (unsigned int eighths = 1; eighths <= 8; ++eighths) {
    info.scale_num = eighths;
    jpeg_calc_output_dimensions(&info);
    if (static_cast<int>(info.output_width) >= target.width && static_cast<int>(info.output_height) >= target.height) {
      return;
    }
  }
}

bool DecodeRows(Session& s, Size target, std::unique_ptr<CAreaAverager>& averager, std::vector<std::uint8_t>& row) {
  if (setjmp(s.error.jump)) return false;
  s.info.out_color_space = JCS_RGB;
  s.info.dct_method = JDCT_ISLOW;
  ChooseScale(s.info, target);
  jpeg_start_decompress(&s.info);
  averager = std::make_unique<CAreaAverager>(
      Size{static_cast<int>(s.info.output_width), static_cast<int>(s.info.output_height)}, target);
  row.resize(static_cast<std::size_t>(s.info.output_width) * 3);
  JSAMPROW rows[1] = {row.data()};
  while (s.info.output_scanline < s.info.output_height) {
    jpeg_read_scanlines(&s.info, rows, 1);
    averager->AddRow(row.data());
  }
  jpeg_finish_decompress(&s.info);
  return true;
}

}  // namespace

std::optional<JpegHeader> ReadJpegHeader(std::span<const std::uint8_t> data, std::string& reason) {
  Session session;
  if (!StartHeader(session, data)) {
    reason = session.Reason();
    return std::nullopt;
  }
  return JpegHeader{{static_cast<int>(session.info.image_width), static_cast<int>(session.info.image_height)},
                    IsRgbCapable(session.info)};
}

std::optional<CPixelBuffer> DecodeJpegReduced(std::span<const std::uint8_t> data, Size target, std::string& reason) {
  try {
    Session session;
    std::unique_ptr<CAreaAverager> averager;
    std::vector<std::uint8_t> row;
    if (!StartHeader(session, data)) {
      reason = session.Reason();
      return std::nullopt;
    }
    if (!IsRgbCapable(session.info)) {
      reason = "its colours are stored as CMYK";
      return std::nullopt;
    }
    if (!DecodeRows(session, target, averager, row)) {
      reason = session.Reason();
      return std::nullopt;
    }
    return averager->Take();
  } catch (const std::bad_alloc&) {
    reason = "out of memory";
    return std::nullopt;
  }
}

}  // namespace saver::tool
