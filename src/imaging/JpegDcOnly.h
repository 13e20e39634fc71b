#pragma once
#include <cstdio>

#include <jpeglib.h>

#include "imaging/JpegDecoder.h"

namespace saver {

// Whether a picture whose header libjpeg has read can be decoded at 1/8 from its DC
// coefficients alone (see DecodeDcOnly): one Huffman scan of colour (YCbCr to RGB) or grey, each
// component's sampling a whole fraction of the largest and no component subsampled both across
// and down (4:4:4, 4:2:2, grey; not 4:2:0, whose chroma libjpeg-turbo decodes at 2 x 2).
bool DcOnlyApplies(const jpeg_decompress_struct& info);

// At 1/8 scale every 8 x 8 block becomes one pixel, its DC coefficient; libjpeg-turbo still
// decodes every AC coefficient to get there. This walks the AC codes without making coefficients,
// as the scan check does (see JpegScanCheck.h), and gives the rows libjpeg-turbo gives at 1/8
// (chroma repeated, its colour tables), to `target` one by one.
//
// `started` is a decompression at scale 1/8 to RGB that libjpeg has started on an in-memory source
// and not read any rows of yet; it is left as it was. True means the data is intact, as the scan
// check vouches, and every row was delivered. False means libjpeg must decode the picture; some
// rows may have been delivered already.
bool DecodeDcOnly(const jpeg_decompress_struct& started, JpegRowTarget& target);

}  // namespace saver
