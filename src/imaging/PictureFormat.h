#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace saver {

// Format numbers of the codec layer. Only BMP, JPEG, PNG, PCX and TGA are read; the others
// are recognised so that they can be refused by name.
enum class PictureFormat : int {
  Unknown = 0,
  Bmp = 1,
  Gif = 2,
  Jpeg = 3,
  Png = 4,
  Pcx = 5,
  Tiff = 6,
  Metafile = 7,
  EnhancedMetafile = 8,
  Pax = 9,
  Photoshop = 10,
  Tla = 11,
  TlaU = 12,
  Wbmp = 13,
  Tga = 14,
  PhotoCdOverview = 15,
  PhotoCd = 16,
  Jpeg2000 = 17,
  Jpeg2000Codestream = 18,
  OleCompound = 19,
};

// Recognises a picture by its leading signature (first 44 bytes), then, for data read from a
// file, by the extension of `file_name`, then by the TGA footer and the PhotoCD marker at
// offset 2048. Pass an empty name for data from memory.
PictureFormat DetectPictureFormat(std::span<const std::uint8_t> data, std::string_view file_name);

}  // namespace saver
