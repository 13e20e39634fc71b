#pragma once
#include <cstdio>

#include <jpeglib.h>

#include "imaging/JpegDecoder.h"
#include "imaging/Rect.h"

namespace saver {

// The scale in eighths, 1 to 4, at which DecodeReduced makes a picture of `natural` size at
// least `at_least` in both directions; 0 when that takes more than half the size.
int ReducedEighths(Size natural, Size at_least);

// Decodes a one-scan Huffman JPEG of grey or YCbCr samples (nearly every camera's file) at
// `eighths` / 8 of its size, ceil(side * eighths / 8) in each direction: each block is
// reconstructed from its lowest eighths x eighths coefficients by an inverse DCT of that size,
// chroma is repeated, and the rows go to `target`. The Huffman decoding runs on a thread of its
// own, an MCU row or more ahead of the reconstruction.
// The data is judged as ScanIsSurelyIntact judges it. False when this decoder cannot vouch for
// the data or does not handle the file's layout: rows may have been delivered by then, and the
// caller decodes again through libjpeg, whose first step (Begin) starts the target over.
// `started` is as for ScanIsSurelyIntact.
bool DecodeReduced(const jpeg_decompress_struct& started, int eighths, JpegRowTarget& target);

}  // namespace saver
