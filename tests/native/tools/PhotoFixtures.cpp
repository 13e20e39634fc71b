#include "PhotoFixtures.h"

#include <libexif/exif-data.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>

#include "imaging/PictureWriters.h"
#include "render/PngFile.h"

namespace saver::tool::testing {
namespace {

constexpr std::uint32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;

char Letter(std::uint32_t colour) {
  const int r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
  const auto high = [](int v) { return v > 200; };
  const auto low = [](int v) { return v < 60; };
  if (high(r) && low(g) && low(b)) return 'r';
  if (low(r) && high(g) && low(b)) return 'g';
  if (low(r) && low(g) && high(b)) return 'b';
  if (high(r) && high(g) && high(b)) return 'w';
  return '?';
}

void AddEntry(ExifData* data, ExifIfd ifd, ExifTag tag, const std::function<void(ExifEntry*)>& fill) {
  ExifEntry* entry = exif_entry_new();
  exif_content_add_entry(data->ifd[ifd], entry);
  exif_entry_initialize(entry, tag);
  fill(entry);
  exif_entry_unref(entry);
}

}  // namespace

CPixelBuffer Quadrants(int width, int height) {
  CPixelBuffer pixels(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool right = x >= width / 2, bottom = y >= height / 2;
      pixels.SetPixel(x, y, bottom ? (right ? kBlue : kWhite) : (right ? kGreen : kRed));
    }
  }
  return pixels;
}

std::vector<std::uint8_t> JpegOf(const CPixelBuffer& pixels, int quality) { return *EncodeJpeg(pixels, quality); }

std::vector<std::uint8_t> PngOf(const CPixelBuffer& pixels) { return EncodePng(pixels); }

std::vector<std::uint8_t> WithExif(const std::vector<std::uint8_t>& jpeg, int orientation, const std::string& date) {
  ExifData* data = exif_data_new();
  exif_data_set_byte_order(data, EXIF_BYTE_ORDER_INTEL);
  AddEntry(data, EXIF_IFD_0, EXIF_TAG_ORIENTATION,
           [&](ExifEntry* entry) { exif_set_short(entry->data, EXIF_BYTE_ORDER_INTEL, static_cast<ExifShort>(orientation)); });
  if (!date.empty()) {
    AddEntry(data, EXIF_IFD_EXIF, EXIF_TAG_DATE_TIME_ORIGINAL,
             [&](ExifEntry* entry) { std::memcpy(entry->data, date.c_str(), std::min<std::size_t>(date.size() + 1, entry->size)); });
  }
  unsigned char* block = nullptr;
  unsigned int length = 0;
  exif_data_save_data(data, &block, &length);
  exif_data_unref(data);
  if (block == nullptr) throw std::runtime_error("libexif wrote no EXIF block");
  // SOI, then the APP1 segment (its length counts itself), then the rest of the file.
  std::vector<std::uint8_t> file(6 + length);
  const std::uint8_t head[6] = {0xFF, 0xD8, 0xFF, 0xE1, static_cast<std::uint8_t>((length + 2) >> 8),
                                static_cast<std::uint8_t>((length + 2) & 0xFF)};
  std::memcpy(file.data(), head, sizeof head);
  std::memcpy(file.data() + sizeof head, block, length);
  std::free(block);
  file.insert(file.end(), jpeg.begin() + 2, jpeg.end());
  return file;
}

std::string QuadrantColours(const CPixelBuffer& pixels) {
  const int w = pixels.Width(), h = pixels.Height();
  return {Letter(pixels.PixelAt(w / 4, h / 4)), Letter(pixels.PixelAt(3 * w / 4, h / 4)),
          Letter(pixels.PixelAt(3 * w / 4, 3 * h / 4)), Letter(pixels.PixelAt(w / 4, 3 * h / 4))};
}

}  // namespace saver::tool::testing
