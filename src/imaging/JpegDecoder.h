#pragma once
#include <cstdint>
#include <span>

#include "imaging/Rect.h"

namespace saver {

// Where the JPEG decoder delivers its rows: 24-bit R, G, B, top row first, `scaled.width`
// pixels each. Begin is called once before the first row; returning false stops the decode.
class JpegRowTarget {
 public:
  virtual ~JpegRowTarget() = default;
  virtual bool Begin(Size natural, Size scaled) = 0;
  virtual void Row(const std::uint8_t* rgb) = 0;
};

// Decodes baseline, progressive, grey and CMYK/YCCK JPEG through libjpeg. When `at_least` is
// nonzero and at most half the picture's size, a one-scan file of grey or YCbCr samples is
// decoded by the engine's own reduced-size decoder (see DecodeReduced) at the smallest of 1/8
// to 4/8 that keeps the output at least that large; other files, and whatever that decoder
// leaves, libjpeg scales by the smallest of 1/8, 1/4 and 1/2 that does, which saves inverse DCT
// work for a small target. Every coefficient is still entropy-decoded, so the verdict on
// damaged data never depends on the scale. Data that libjpeg finds corrupt or truncated is
// refused (false) even where libjpeg alone would carry on.
bool DecodeJpeg(std::span<const std::uint8_t> data, Size at_least, JpegRowTarget& target);

// Judges the data as DecodeJpeg does, with the same verdict on damaged data, without making
// pixels: every Huffman code of a one-scan file is walked without making coefficients (see
// ScanIsSurelyIntact); what that cannot vouch for, and files of several scans, libjpeg
// entropy-decodes whole, reconstructing only one row at 1/8 scale.
// `natural` receives the picture's size on success and is left alone otherwise.
bool MeasureJpeg(std::span<const std::uint8_t> data, Size& natural);

}  // namespace saver
