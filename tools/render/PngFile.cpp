#include "render/PngFile.h"

#include <png.h>

#include <stdexcept>

namespace saver::tool {
namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void Flush(png_structp) {}

// Owns the writer's two structures for the length of one encoding.
class CPngWriter {
 public:
  CPngWriter() : png_(png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr)) {
    if (png_ != nullptr) info_ = png_create_info_struct(png_);
    if (info_ == nullptr) {
      png_destroy_write_struct(&png_, nullptr);
      throw std::bad_alloc();
    }
  }
  ~CPngWriter() { png_destroy_write_struct(&png_, &info_); }
  CPngWriter(const CPngWriter&) = delete;
  CPngWriter& operator=(const CPngWriter&) = delete;

  png_structp Png() const { return png_; }
  png_infop Info() const { return info_; }

 private:
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

}  // namespace

std::vector<std::uint8_t> EncodePng(const CPixelBuffer& pixels) {
  std::vector<std::uint8_t> out;
  if (pixels.IsEmpty()) return out;
  CPngWriter writer;
  png_structp png = writer.Png();
  // libpng reports failures by a long jump; only memory can run out here.
  if (setjmp(png_jmpbuf(png))) throw std::bad_alloc();
  png_set_write_fn(png, &out, AppendBytes, Flush);
  png_set_compression_level(png, 1);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  png_set_IHDR(png, writer.Info(), static_cast<png_uint_32>(pixels.Width()), static_cast<png_uint_32>(pixels.Height()),
               8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, writer.Info());
  for (int y = 0; y < pixels.Height(); ++y) png_write_row(png, pixels.Row(y));
  png_write_end(png, nullptr);
  return out;
}

}  // namespace saver::tool
