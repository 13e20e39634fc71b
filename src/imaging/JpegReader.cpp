#include "imaging/JpegDecoder.h"
#include "imaging/PictureLimits.h"
#include "imaging/PictureReaders.h"

namespace saver {
namespace {

class CCollectRows : public CJpegRowTarget {
 public:
  bool Begin(Size, Size scaled) override {
    pixels = AllocatePicture(scaled.width, scaled.height);
    return pixels.has_value();
  }
  void Row(const std::uint8_t* rgb) override {
    std::copy_n(rgb, pixels->RowBytes(), pixels->Row(next_row_++));
  }
  std::optional<CPixelBuffer> pixels;

 private:
  int next_row_ = 0;
};

}  // namespace

std::optional<CPixelBuffer> ReadJpeg(std::span<const std::uint8_t> data, PictureRefusal* refusal) {
  CCollectRows rows;
  if (!DecodeJpeg(data, Size{}, rows, refusal)) return std::nullopt;
  return std::move(rows.pixels);
}

}  // namespace saver
