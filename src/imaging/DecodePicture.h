#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "imaging/JpegDecoder.h"
#include "imaging/MessageSink.h"
#include "imaging/PictureRefusal.h"
#include "imaging/PixelBuffer.h"
#include "imaging/Rect.h"

namespace saver {

inline constexpr std::string_view kUnsupportedPictureMessage =
    "This image format is not supported or image date is corrupted";

// Shown by MeasurePicture for JPEG data refused without a reason of libjpeg's.
inline constexpr std::string_view kUndecodableJpegMessage = "JPEG decoder: the picture cannot be decoded";

// Detects the format of picture bytes held in memory and reads them. A recognised format the
// engine does not read (GIF, TIFF, metafiles, ...) or unrecognised data shows
// kUnsupportedPictureMessage and gives nothing; damaged data of a read format gives nothing
// without a message. A picture too large to be held (see PictureLimits.h) shows one message
// naming its size and the limit. `size` receives the picture's size, or 0 x 0 when nothing was read.
// WBMP data (two leading zero bytes) from memory is an old TGA without footer: read as TGA.
std::optional<CPixelBuffer> DecodePicture(std::span<const std::uint8_t> bytes, Size& size, CMessageSink& messages);

// The same for a file; a file that cannot be opened gives nothing without a message, and so
// does one named or recognised as WBMP.
std::optional<CPixelBuffer> DecodePictureFile(const std::string& file_name, Size& size, CMessageSink& messages);

// Decodes bytes held in memory straight to `target` (both sides nonzero) with bilinear
// resampling. The result is that of DecodePicture followed by ResizeBilinear, within a few
// levels: a JPEG is decoded at the smallest scale that still covers the target, and streamed
// through the resampler row by row, so its own size is limited only by what libjpeg decodes
// (refused with the same one message as in DecodePicture). `natural` receives the picture's own size.
std::optional<CPixelBuffer> DecodePictureResized(std::span<const std::uint8_t> bytes, Size target, Size& natural,
                                                 CMessageSink& messages);

// The picture's size with the verdict of DecodePictureResized (the same message for a refused
// format, the same refusal of damaged data), without keeping pixels. A JPEG is checked
// without being reconstructed (see MeasureJpeg), with the limits of a fitted picture, and every
// refusal shows one message: its size and the limit, or libjpeg's own words on damaged data.
// `jpeg_check` HeaderAndEnd leaves damage inside a JPEG's scan to the decode that shows it.
// Other formats are decoded, and their damaged data shows no message, as in DecodePicture:
// `unshown_damage`, when given, receives the reader's reason for it ("PNG decoder: ..."), for
// callers that report it in words of their own. `size` is set only on success.
bool MeasurePicture(std::span<const std::uint8_t> bytes, Size& size, CMessageSink& messages,
                    JpegDataCheck jpeg_check = JpegDataCheck::Whole, PictureRefusal* unshown_damage = nullptr);

}  // namespace saver
