#pragma once
#include <cstdint>

namespace saver {

// Ternary raster operation codes, numerically equal to the Win32 ones so that the GDI surface
// passes them through unchanged.
namespace rop {
inline constexpr std::uint32_t kSrcCopy = 0x00CC0020;
inline constexpr std::uint32_t kSrcPaint = 0x00EE0086;   // dst | src
inline constexpr std::uint32_t kSrcAnd = 0x008800C6;     // dst & src
inline constexpr std::uint32_t kSrcInvert = 0x00660046;  // dst ^ src
}  // namespace rop

}  // namespace saver
