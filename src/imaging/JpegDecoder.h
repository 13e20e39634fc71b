#pragma once
#include <cstdint>
#include <span>

#include "imaging/PictureRefusal.h"
#include "imaging/Rect.h"

namespace saver {

// Where the JPEG decoder delivers its rows: 24-bit R, G, B, top row first, `scaled.width`
// pixels each. Begin is called before the first row; returning false stops the decode. A decode
// that starts over after a failed attempt calls Begin again, and the rows then come from the top.
class CJpegRowTarget {
 public:
  virtual ~CJpegRowTarget() = default;
  virtual bool Begin(Size natural, Size scaled) = 0;
  virtual void Row(const std::uint8_t* rgb) = 0;
};

// Decodes baseline, progressive, grey and CMYK/YCCK JPEG through libjpeg-turbo, row by row.
// When `at_least` is nonzero, libjpeg-turbo decodes at the smallest of 1/8, 1/4 and 1/2 that
// keeps the output at least that large (or at full size), and the rows go to `target` one by
// one: a picture fitted to a screen is never held at its own size, whatever that is (see
// PictureLimits.h). When `at_least` is 0 x 0 the picture is decoded at its own size and must fit
// the limit of a picture held whole. A one-scan picture fitted at 1/8 is made from its DC
// coefficients (see JpegDcOnly.h). Every coefficient is entropy-decoded (or walked, at 1/8) at
// every scale, so the verdict on damaged data never depends on the scale. Data that libjpeg finds
// corrupt or truncated is refused (false) even where libjpeg alone would carry on. `refusal`, when given, says why a picture was refused.
bool DecodeJpeg(std::span<const std::uint8_t> data, Size at_least, CJpegRowTarget& target,
                PictureRefusal* refusal = nullptr);

// How much of a JPEG's data measuring judges.
enum class JpegDataCheck {
  // Every Huffman code: the verdict of a full decode on damaged data.
  Whole,
  // The header (size, limits, tables, the first scan's header) and the end of the data: data that
  // ends with the end-of-image marker is taken as it is, without reading the scan, so damage
  // inside it is found only when the picture is decoded. Data that ends otherwise (a cut file,
  // bytes behind the marker) is judged whole.
  HeaderAndEnd,
};

// Judges the data as DecodeJpeg does for a fitted picture, with the same limits and, when `check`
// is Whole, the same verdict on damaged data, without making pixels: every Huffman code of a
// one-scan file is walked without making coefficients (see ScanIsSurelyIntact); what that cannot
// vouch for, and files of several scans, libjpeg entropy-decodes whole, reconstructing only one
// row at 1/8 scale. `natural` receives the picture's size on success and is left alone otherwise.
bool MeasureJpeg(std::span<const std::uint8_t> data, JpegDataCheck check, Size& natural,
                 PictureRefusal* refusal = nullptr);

}  // namespace saver
