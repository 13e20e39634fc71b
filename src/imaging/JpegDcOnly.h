#pragma once
#include <cstdio>

#include <jpeglib.h>

#include "imaging/JpegDecoder.h"

namespace saver {

// Whether a picture whose header libjpeg has read can be decoded at 1/8 from its DC
// coefficients alone (see DecodeDcOnly): one Huffman scan of colour (YCbCr to RGB) or grey, each
// component's sampling a whole fraction of the largest, and half of it where it is subsampled
// both across and down (4:4:4, 4:2:2, 4:2:0, grey).
bool DcOnlyApplies(const jpeg_decompress_struct& info);

// At 1/8 scale every 8 x 8 block becomes one pixel, its DC coefficient; libjpeg-turbo still
// decodes every AC coefficient to get there. This walks the AC codes without making coefficients,
// as the scan check does (see JpegScanCheck.h), and gives `target` the rows libjpeg-turbo gives at
// 1/8 (its range limit and colour tables, chroma repeated), exactly where libjpeg-turbo decodes
// every component from DC alone. Chroma at half resolution both ways (4:2:0), which libjpeg-turbo
// decodes at 2 x 2 a block, is made from its DC and three lowest AC coefficients instead: close to
// libjpeg-turbo's, not the same.
//
// `started` is a decompression at scale 1/8 to RGB that libjpeg has started on an in-memory source
// and not read any rows of yet; it is left as it was. True means the data is intact, as the scan
// check vouches, and every row was delivered. False means libjpeg must decode the picture; some
// rows may have been delivered already.
bool DecodeDcOnly(const jpeg_decompress_struct& started, CJpegRowTarget& target);

}  // namespace saver
