#include "PictureFixtures.h"

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstdio>
#include <stdexcept>

#include <jpeglib.h>
#include <png.h>

namespace saver::test {
namespace {

void Put16(Bytes& b, unsigned v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
void Put32(Bytes& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
std::uint8_t R(std::uint32_t c) { return c & 0xFF; }
std::uint8_t G(std::uint32_t c) { return (c >> 8) & 0xFF; }
std::uint8_t B(std::uint32_t c) { return (c >> 16) & 0xFF; }

std::uint32_t Colour(const CPixelBuffer& p, int x, int y) { return p.PixelAt(x, y); }

// BITMAPFILEHEADER + BITMAPINFOHEADER; the caller appends masks, palette and pixels.
Bytes BmpHeaders(const CPixelBuffer& p, int bits, int compression, bool top_down, int palette_entries, int mask_count) {
  Bytes b{'B', 'M'};
  Put32(b, 0);  // file size: readers do not rely on it
  Put32(b, 0);
  Put32(b, 14 + 40 + mask_count * 4 + palette_entries * 4);
  Put32(b, 40);
  Put32(b, p.Width());
  Put32(b, top_down ? -p.Height() : p.Height());
  Put16(b, 1);
  Put16(b, bits);
  Put32(b, compression);
  for (int i = 0; i < 3; ++i) Put32(b, 0);
  Put32(b, palette_entries);
  Put32(b, 0);
  return b;
}

void PutPalette(Bytes& b, int entries, bool quad) {
  for (int i = 0; i < entries; ++i) {
    std::uint32_t c = TestPaletteColour(i);
    b.insert(b.end(), {B(c), G(c), R(c)});
    if (quad) b.push_back(0);
  }
}

void PadTo4(Bytes& row) {
  while (row.size() % 4) row.push_back(0);
}

Bytes PackedIndices(const CPixelBuffer& p, int y, int bits, int colours) {
  Bytes row((p.Width() * bits + 7) / 8);
  for (int x = 0; x < p.Width(); ++x) {
    int index = TestPictureIndex(x, y, colours);
    int per_byte = 8 / bits;
    row[x / per_byte] |= index << (8 - bits * (x % per_byte + 1));
  }
  return row;
}

}  // namespace

std::uint32_t TestPaletteColour(int index) {
  // Spread over the cube so that no two entries are equal.
  std::uint32_t r = (index * 37 + 11) & 0xFF, g = (index * 91 + 60) & 0xFF, b = (255 - index) & 0xFF;
  return r | (g << 8) | (b << 16);
}

int TestPictureIndex(int x, int y, int colours) { return (x * 3 + y * 5 + x * y) % colours; }

CPixelBuffer TestPicture(int width, int height, int colours) {
  CPixelBuffer p(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      p.SetPixel(x, y,
                 colours > 0 ? TestPaletteColour(TestPictureIndex(x, y, colours))
                             : ((x * 40 + y * 7) & 0xFF) | (((y * 50 + x * 3) & 0xFF) << 8) |
                                   (static_cast<std::uint32_t>((x * y * 13 + 90) & 0xFF) << 16));
  return p;
}

Bytes BmpFile(const CPixelBuffer& p, int bits, bool top_down, int colours) {
  const int entries = bits <= 8 ? 1 << bits : 0;
  Bytes b = BmpHeaders(p, bits, 0, top_down, entries, 0);
  PutPalette(b, entries, true);
  for (int i = 0; i < p.Height(); ++i) {
    int y = top_down ? i : p.Height() - 1 - i;
    Bytes row;
    if (bits <= 8) {
      row = PackedIndices(p, y, bits, colours);
    } else {
      for (int x = 0; x < p.Width(); ++x) {
        std::uint32_t c = Colour(p, x, y);
        if (bits == 16) Put16(row, ((R(c) >> 3) << 10) | ((G(c) >> 3) << 5) | (B(c) >> 3));
        else row.insert(row.end(), {B(c), G(c), R(c)});
        if (bits == 32) row.push_back(0x55);  // unused byte: must be ignored
      }
    }
    PadTo4(row);
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

Bytes BmpBitFields(const CPixelBuffer& p, int bits) {
  Bytes b = BmpHeaders(p, bits, 3, false, 0, 3);
  if (bits == 16) Put32(b, 0xF800), Put32(b, 0x07E0), Put32(b, 0x001F);
  else Put32(b, 0x000000FF), Put32(b, 0x0000FF00), Put32(b, 0x00FF0000);
  for (int y = p.Height() - 1; y >= 0; --y) {
    Bytes row;
    for (int x = 0; x < p.Width(); ++x) {
      std::uint32_t c = Colour(p, x, y);
      if (bits == 16) Put16(row, ((R(c) >> 3) << 11) | ((G(c) >> 2) << 5) | (B(c) >> 3));
      else Put32(row, c);
    }
    PadTo4(row);
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

Bytes BmpCore(const CPixelBuffer& p, int colours) {
  Bytes b{'B', 'M'};
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, 14 + 12 + 256 * 3);
  Put32(b, 12);
  Put16(b, p.Width());
  Put16(b, p.Height());
  Put16(b, 1);
  Put16(b, 8);
  PutPalette(b, 256, false);
  for (int y = p.Height() - 1; y >= 0; --y) {
    Bytes row = PackedIndices(p, y, 8, colours);
    PadTo4(row);
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

Bytes BmpRle(const CPixelBuffer& p, int bits, int colours) {
  Bytes b = BmpHeaders(p, bits, bits == 8 ? 1 : 2, false, 1 << bits, 0);
  PutPalette(b, 1 << bits, true);
  for (int y = p.Height() - 1; y >= 0; --y) {
    int x = 0;
    while (x < p.Width()) {
      int index = TestPictureIndex(x, y, colours);
      int run = 1;
      while (x + run < p.Width() && run < 255 && TestPictureIndex(x + run, y, colours) == index) ++run;
      if (run >= 2 || p.Width() - x < 3) {  // encoded run
        b.push_back(run);
        b.push_back(bits == 8 ? index : (index << 4) | index);
        x += run;
        continue;
      }
      // Literal group of 3 pixels.
      b.push_back(0);
      b.push_back(3);
      Bytes lit;
      for (int i = 0; i < 3; ++i) {
        int v = TestPictureIndex(x + i, y, colours);
        if (bits == 8) lit.push_back(v);
        else if (i % 2 == 0) lit.push_back(v << 4);
        else lit.back() |= v;
      }
      if (lit.size() % 2) lit.push_back(0);
      b.insert(b.end(), lit.begin(), lit.end());
      x += 3;
    }
    b.insert(b.end(), {0, 0});
  }
  b.insert(b.end(), {0, 1});
  return b;
}

Bytes PcxFile(const CPixelBuffer& p, int bits, int planes, int colours) {
  const int bpl = ((p.Width() * bits + 7) / 8 + 1) & ~1;  // even, as the format asks
  Bytes b{0x0A, 5, 1, static_cast<std::uint8_t>(bits)};
  Put16(b, 0);
  Put16(b, 0);
  Put16(b, p.Width() - 1);
  Put16(b, p.Height() - 1);
  Put16(b, 72);
  Put16(b, 72);
  for (int i = 0; i < 16; ++i) {
    std::uint32_t c = TestPaletteColour(i);
    b.insert(b.end(), {R(c), G(c), B(c)});
  }
  b.push_back(0);
  b.push_back(static_cast<std::uint8_t>(planes));
  Put16(b, bpl);
  Put16(b, 1);
  b.resize(128, 0);
  Bytes stream;  // all planes of all lines, then run-length coded as one stream
  for (int y = 0; y < p.Height(); ++y) {
    for (int plane = 0; plane < planes; ++plane) {
      Bytes line(bpl, 0);
      for (int x = 0; x < p.Width(); ++x) {
        std::uint32_t c = Colour(p, x, y);
        int index = colours ? TestPictureIndex(x, y, colours) : 0;
        if (bits == 8 && planes == 3) line[x] = (c >> (8 * plane)) & 0xFF;
        else if (bits == 8) line[x] = index;
        else if (bits == 4) line[x / 2] |= index << ((x % 2) ? 0 : 4);
        else if (planes == 4) line[x / 8] |= ((index >> plane) & 1) << (7 - x % 8);
        else line[x / 8] |= (R(c) ? 1 : 0) << (7 - x % 8);
      }
      stream.insert(stream.end(), line.begin(), line.end());
    }
  }
  for (std::size_t i = 0; i < stream.size();) {
    std::size_t run = 1;
    while (i + run < stream.size() && run < 63 && stream[i + run] == stream[i]) ++run;
    if (run > 1 || stream[i] >= 0xC0) b.push_back(0xC0 | run);
    b.push_back(stream[i]);
    i += run;
  }
  if (bits == 8 && planes == 1) {
    b.push_back(0x0C);
    for (int i = 0; i < 256; ++i) {
      std::uint32_t c = TestPaletteColour(i);
      b.insert(b.end(), {R(c), G(c), B(c)});
    }
  }
  return b;
}

Bytes TgaFile(const CPixelBuffer& p, int type, int bits, std::uint8_t descriptor, bool footer, int colours) {
  const bool mapped = (type & 7) == 1, grey = (type & 7) == 3, rle = type & 8;
  Bytes b{3, static_cast<std::uint8_t>(mapped ? 1 : 0), static_cast<std::uint8_t>(type)};
  Put16(b, 0);
  Put16(b, mapped ? 256 : 0);
  b.push_back(mapped ? 24 : 0);
  Put16(b, 0);
  Put16(b, 0);
  Put16(b, p.Width());
  Put16(b, p.Height());
  b.push_back(static_cast<std::uint8_t>(bits));
  b.push_back(descriptor);
  b.insert(b.end(), {'i', 'd', '!'});
  if (mapped) PutPalette(b, 256, false);
  std::vector<Bytes> pixels;  // storage order
  const bool top = descriptor & 0x20, right = descriptor & 0x10;
  for (int row = 0; row < p.Height(); ++row) {
    int y = top ? row : p.Height() - 1 - row;
    for (int col = 0; col < p.Width(); ++col) {
      int x = right ? p.Width() - 1 - col : col;
      std::uint32_t c = Colour(p, x, y);
      Bytes px;
      if (mapped) px.push_back(TestPictureIndex(x, y, colours));
      else if (grey) px.push_back(R(c));
      else if (bits == 16) Put16(px, 0x8000 | ((R(c) >> 3) << 10) | ((G(c) >> 3) << 5) | (B(c) >> 3));
      else px = {B(c), G(c), R(c)};
      if (bits == 32) px.push_back(0x80);
      pixels.push_back(px);
    }
  }
  for (std::size_t i = 0; i < pixels.size();) {
    if (!rle) {
      b.insert(b.end(), pixels[i].begin(), pixels[i].end());
      ++i;
      continue;
    }
    std::size_t run = 1;  // packets span rows on purpose
    while (i + run < pixels.size() && run < 128 && pixels[i + run] == pixels[i]) ++run;
    if (run > 1) {
      b.push_back(0x80 | (run - 1));
      b.insert(b.end(), pixels[i].begin(), pixels[i].end());
    } else {
      std::size_t n = 1;
      while (i + n < pixels.size() && n < 128 && pixels[i + n] != pixels[i + n - 1]) ++n;
      b.push_back(n - 1);
      for (std::size_t k = 0; k < n; ++k) b.insert(b.end(), pixels[i + k].begin(), pixels[i + k].end());
      run = n;
    }
    i += run;
  }
  if (footer) {
    for (int i = 0; i < 8; ++i) b.push_back(0);
    for (char c : std::string_view("TRUEVISION-XFILE.")) b.push_back(c);
    b.push_back(0);
  }
  return b;
}

Bytes PngFile(const CPixelBuffer& p, int colour_type, int bit_depth, bool interlaced, int colours,
              const std::vector<std::uint8_t>& alpha, int transparent_index) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  Bytes out;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("PNG fixture");
  }
  png_set_write_fn(
      png, &out,
      [](png_structp w, png_bytep data, png_size_t n) {
        auto* o = static_cast<Bytes*>(png_get_io_ptr(w));
        o->insert(o->end(), data, data + n);
      },
      nullptr);
  png_set_IHDR(png, info, p.Width(), p.Height(), bit_depth, colour_type,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (colour_type == PNG_COLOR_TYPE_PALETTE) {
    std::vector<png_color> palette(1 << bit_depth);
    for (std::size_t i = 0; i < palette.size(); ++i) {
      std::uint32_t c = TestPaletteColour(static_cast<int>(i));
      palette[i] = {R(c), G(c), B(c)};
    }
    png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (transparent_index >= 0) {
      std::vector<png_byte> trns(transparent_index + 1, 255);
      trns[transparent_index] = 0;
      png_set_tRNS(png, info, trns.data(), static_cast<int>(trns.size()), nullptr);
    }
  }
  png_write_info(png, info);
  const int channels = colour_type == PNG_COLOR_TYPE_RGB ? 3 : colour_type == PNG_COLOR_TYPE_RGBA ? 4
                       : colour_type == PNG_COLOR_TYPE_GA ? 2 : 1;
  const int bytes = bit_depth / 8;
  std::vector<Bytes> rows(p.Height());
  std::vector<png_bytep> pointers(p.Height());
  for (int y = 0; y < p.Height(); ++y) {
    Bytes& row = rows[y];
    row.assign((static_cast<std::size_t>(p.Width()) * channels * bit_depth + 7) / 8, 0);
    for (int x = 0; x < p.Width(); ++x) {
      std::uint32_t c = Colour(p, x, y);
      std::uint8_t values[4] = {R(c), G(c), B(c), alpha.empty() ? std::uint8_t{255} : alpha[y * p.Width() + x]};
      if (colour_type == PNG_COLOR_TYPE_GRAY || colour_type == PNG_COLOR_TYPE_GA) values[1] = values[3];
      if (colour_type == PNG_COLOR_TYPE_PALETTE || (colour_type == PNG_COLOR_TYPE_GRAY && bit_depth < 8)) {
        int v = colour_type == PNG_COLOR_TYPE_PALETTE ? TestPictureIndex(x, y, colours) : R(c) >> (8 - bit_depth);
        int per_byte = 8 / bit_depth;
        row[x / per_byte] |= v << (8 - bit_depth * (x % per_byte + 1));
        continue;
      }
      for (int ch = 0; ch < channels; ++ch)
        for (int k = 0; k < bytes; ++k) row[(x * channels + ch) * bytes + k] = values[ch];  // 16-bit: v * 257
    }
    pointers[y] = row.data();
  }
  png_write_image(png, pointers.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

Bytes JpegFile(const CPixelBuffer& p, JpegKind kind, JpegLayout layout) {
  jpeg_compress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  unsigned char* mem = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &mem, &size);
  info.image_width = p.Width();
  info.image_height = p.Height();
  const int components = kind == JpegKind::Grey ? 1 : kind == JpegKind::AdobeCmyk ? 4 : 3;
  info.input_components = components;
  info.in_color_space = kind == JpegKind::Grey ? JCS_GRAYSCALE : kind == JpegKind::AdobeCmyk ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  if (kind == JpegKind::Progressive) jpeg_simple_progression(&info);
  info.arith_code = kind == JpegKind::Arithmetic;
  if (layout.luma_h > 0) info.comp_info[0].h_samp_factor = layout.luma_h;
  if (layout.luma_v > 0) info.comp_info[0].v_samp_factor = layout.luma_v;
  info.restart_interval = layout.restart_interval;
  if (layout.long_dc_codes) {
    // One code of each length from 1 to 12 bits, the longest for a difference of 0.
    for (JHUFF_TBL* table : info.dc_huff_tbl_ptrs) {
      if (!table) continue;
      std::fill(std::begin(table->bits), std::end(table->bits), 0);
      for (int size = 0; size < 12; ++size) {
        table->bits[12 - size] = 1;
        table->huffval[11 - size] = static_cast<UINT8>(size);
      }
    }
  }
  jpeg_start_compress(&info, TRUE);
  Bytes row(static_cast<std::size_t>(p.Width()) * components);
  while (info.next_scanline < info.image_height) {
    const int y = static_cast<int>(info.next_scanline);
    for (int x = 0; x < p.Width(); ++x) {
      std::uint32_t c = Colour(p, x, y);
      std::uint8_t* o = row.data() + x * components;
      if (kind == JpegKind::Grey) {
        o[0] = R(c);
      } else if (kind == JpegKind::AdobeCmyk) {
        // Inverted inks: stored K' = brightness, stored C' = R / brightness.
        int v = std::max({R(c), G(c), B(c), std::uint8_t{1}});
        o[0] = R(c) * 255 / v, o[1] = G(c) * 255 / v, o[2] = B(c) * 255 / v, o[3] = v;
      } else {
        o[0] = R(c), o[1] = G(c), o[2] = B(c);
      }
    }
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&info, &r, 1);
  }
  jpeg_finish_compress(&info);
  Bytes out(mem, mem + size);
  std::free(mem);
  jpeg_destroy_compress(&info);
  return out;
}

CPixelBuffer PhotoLike(int width, int height) {
  CPixelBuffer p(width, height);
  std::uint32_t grain = 2024;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      grain = grain * 1103515245 + 12345;
      const int g = static_cast<int>(grain >> 16 & 7) - 4;
      const int dx = x - width / 3, dy = y - height / 2;
      const bool disc = dx * dx + dy * dy < height * height / 9;
      auto level = [g](int v) { return static_cast<std::uint32_t>(std::clamp(v + g, 0, 255)); };
      const std::uint32_t r = level(disc ? 220 - y * 60 / height : 40 + x * 150 / width);
      const std::uint32_t gr = level(disc ? 90 + x * 40 / width : 60 + y * 120 / height);
      const std::uint32_t b = level(disc ? 30 : 200 - (x + y) * 100 / (width + height));
      p.SetPixel(x, y, r | gr << 8 | b << 16);
    }
  return p;
}

double MeanDifference(const CPixelBuffer& a, const CPixelBuffer& b) {
  double sum = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int i = 0; i < a.Width() * 3; ++i) sum += std::abs(a.Row(y)[i] - b.Row(y)[i]);
  return sum / (3.0 * a.Width() * a.Height());
}

std::size_t LastMarker(const Bytes& file, std::uint8_t code) {
  for (std::size_t i = file.size() - 1; i > 0; --i)
    if (file[i - 1] == 0xFF && file[i] == code) return i - 1;
  return file.size();
}

Bytes WithJpegSize(Bytes file, int width, int height) {
  std::size_t sof = LastMarker(file, 0xC0);
  if (sof == file.size()) sof = LastMarker(file, 0xC2);
  if (sof == file.size()) sof = LastMarker(file, 0xC9);
  // FF Cn, length (2), precision (1), height (2), width (2)
  file.at(sof + 5) = static_cast<std::uint8_t>(height >> 8);
  file.at(sof + 6) = static_cast<std::uint8_t>(height);
  file.at(sof + 7) = static_cast<std::uint8_t>(width >> 8);
  file.at(sof + 8) = static_cast<std::uint8_t>(width);
  return file;
}

Bytes WithByte(Bytes file, std::size_t at, std::uint8_t value) {
  file.at(at) = value;
  return file;
}

std::size_t ScanData(const Bytes& file, std::size_t sos) { return sos + 2 + (file[sos + 2] << 8 | file[sos + 3]); }

}  // namespace saver::test
