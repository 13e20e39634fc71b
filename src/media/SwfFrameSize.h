#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

#include "imaging/Rect.h"

namespace saver {

// The movie size in pixels from a Flash file's header: the frame RECT that follows the 8-byte
// file head, in twips (20 to the pixel). Files compressed with zlib ("CWS") are inflated as far
// as the RECT; LZMA files ("ZWS"), truncated data and RECTs with min above max give none.
std::optional<Size> ReadSwfFrameSize(const std::uint8_t* data, std::size_t size);

}  // namespace saver
