#pragma once
#include <cstdio>

#include <jpeglib.h>

namespace saver {

// A fast check of the entropy-coded data of a sequential Huffman JPEG that keeps all its
// components in one scan (nearly every camera's file), for measuring a picture without decoding
// it. `started` is a decompression libjpeg has started (jpeg_start_decompress) on an in-memory
// source and not read any rows of yet. The check walks every Huffman code of every block without
// making coefficients, and follows the data through its restart markers to the end-of-image
// marker.
//
// True means the data is intact: libjpeg decodes it without a single warning. False means the
// check cannot vouch for it (another kind of file, a damaged stream, anything unusual such as
// bytes between the data and a marker); libjpeg must then judge the data itself.
bool ScanIsSurelyIntact(const jpeg_decompress_struct& started);

}  // namespace saver
