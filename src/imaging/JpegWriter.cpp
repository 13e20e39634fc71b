#include <algorithm>
#include <cstdlib>
#include <new>

#include "imaging/JpegErrorJump.h"
#include "imaging/PictureWriters.h"

namespace saver {
namespace {

struct Session {
  jpeg_compress_struct info{};
  JpegErrorJump error{};
  bool created = false;
  unsigned char* out = nullptr;  // malloc'ed by libjpeg's memory destination
  unsigned long out_size = 0;
  ~Session() {
    if (created) jpeg_destroy_compress(&info);
    std::free(out);
  }
};

// libjpeg may leave this frame by longjmp: nothing in it has a destructor.
bool Run(Session& s, const CPixelBuffer& pixels, int quality) {
  s.info.err = s.error.Install(false);
  if (setjmp(s.error.jump)) return false;
  jpeg_create_compress(&s.info);
  s.created = true;
  jpeg_mem_dest(&s.info, &s.out, &s.out_size);
  s.info.image_width = static_cast<JDIMENSION>(pixels.Width());
  s.info.image_height = static_cast<JDIMENSION>(pixels.Height());
  s.info.input_components = 3;
  s.info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&s.info);
  jpeg_set_quality(&s.info, std::clamp(quality, 1, 100), TRUE);
  jpeg_start_compress(&s.info, TRUE);
  while (s.info.next_scanline < s.info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(pixels.Row(static_cast<int>(s.info.next_scanline)));
    jpeg_write_scanlines(&s.info, &row, 1);
  }
  jpeg_finish_compress(&s.info);
  return true;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodeJpeg(const CPixelBuffer& pixels, int quality) {
  if (pixels.IsEmpty()) return std::nullopt;
  try {
    Session session;
    if (!Run(session, pixels, quality)) return std::nullopt;
    return std::vector<std::uint8_t>(session.out, session.out + session.out_size);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace saver
