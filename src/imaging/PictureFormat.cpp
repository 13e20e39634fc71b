#include "imaging/PictureFormat.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace saver {
namespace {

struct Signature {
  PictureFormat format;
  std::size_t offset;
  std::string_view bytes;
};

using namespace std::string_view_literals;

// Tried in this order; the first row that lies inside the window and matches wins. The two
// JPEG rows and the four PCX rows are kept apart as the format's variants are.
constexpr std::array kSignatures{
    Signature{PictureFormat::Bmp, 0, "BM"sv},
    Signature{PictureFormat::Pax, 0, "PAX"sv},
    Signature{PictureFormat::Gif, 0, "GIF89a"sv},
    Signature{PictureFormat::Gif, 0, "GIF87a"sv},
    Signature{PictureFormat::Jpeg, 0, "\xFF\xD8\xFF\xE0"sv},
    Signature{PictureFormat::Jpeg, 0, "\xFF\xD8\xFF"sv},
    Signature{PictureFormat::Pcx, 0, "\x0A\x00"sv},
    Signature{PictureFormat::Pcx, 0, "\x0A\x02"sv},
    Signature{PictureFormat::Pcx, 0, "\x0A\x03"sv},
    Signature{PictureFormat::Pcx, 0, "\x0A\x05"sv},
    Signature{PictureFormat::Tiff, 0, "MM"sv},
    Signature{PictureFormat::Tiff, 0, "II"sv},
    Signature{PictureFormat::Png, 0, "\x89PNG\r\n\x1A\n"sv},
    Signature{PictureFormat::Metafile, 0, "\x01\x00\x09\x00\x00"sv},
    Signature{PictureFormat::Metafile, 0, "\xD7\xCD\xC6\x9A"sv},
    Signature{PictureFormat::EnhancedMetafile, 40, " EMF"sv},
    Signature{PictureFormat::Photoshop, 0, "8BPS"sv},
    Signature{PictureFormat::Tla, 0, "TLA\x01"sv},
    Signature{PictureFormat::TlaU, 0, "TLAU"sv},
    Signature{PictureFormat::PhotoCdOverview, 0, "PCD_OPA"sv},
    Signature{PictureFormat::Jpeg2000, 4, "jP  \r"sv},
    Signature{PictureFormat::Jpeg2000, 0, "\xFF\x4F"sv},
    Signature{PictureFormat::Jpeg2000Codestream, 4, "\xFF\x4F"sv},
    Signature{PictureFormat::Wbmp, 0, "\x00\x00"sv},
    Signature{PictureFormat::OleCompound, 0, "\xD0\xCF\x11\xE0"sv},
};

constexpr std::size_t kSignatureWindow = 44;
constexpr std::string_view kTgaFooter = "TRUEVISION-XFILE.";
constexpr std::size_t kTgaFooterSize = 18;
constexpr std::size_t kPhotoCdMarkerOffset = 2048;

bool Matches(std::span<const std::uint8_t> window, const Signature& s) {
  if (s.offset + s.bytes.size() > window.size()) return false;
  return std::memcmp(window.data() + s.offset, s.bytes.data(), s.bytes.size()) == 0;
}

PictureFormat FromSignature(std::span<const std::uint8_t> data) {
  auto window = data.first(std::min(data.size(), kSignatureWindow));
  for (const Signature& s : kSignatures) {
    if (Matches(window, s)) return s.format;
  }
  return PictureFormat::Unknown;
}

PictureFormat FromExtension(std::string_view file_name) {
  std::size_t dot = file_name.rfind('.');
  if (dot == std::string_view::npos) return PictureFormat::Unknown;
  std::string ext(file_name.substr(dot + 1));
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
  if (ext == "wbmp" || ext == "wbm") return PictureFormat::Wbmp;
  if (ext == "tga") return PictureFormat::Tga;
  return PictureFormat::Unknown;
}

bool HasAt(std::span<const std::uint8_t> data, std::size_t offset, std::string_view bytes) {
  if (offset > data.size() || bytes.size() > data.size() - offset) return false;
  return std::memcmp(data.data() + offset, bytes.data(), bytes.size()) == 0;
}

}  // namespace

PictureFormat DetectPictureFormat(std::span<const std::uint8_t> data, std::string_view file_name) {
  if (data.empty()) return PictureFormat::Unknown;
  PictureFormat format = FromSignature(data);
  if (format != PictureFormat::Unknown && format != PictureFormat::Wbmp) return format;

  // Two leading zero bytes are also how an old TGA without identification or colour map
  // starts, so a WBMP match is only provisional: the name or the footer may still say TGA.
  if (!file_name.empty()) {
    PictureFormat by_name = FromExtension(file_name);
    if (by_name != PictureFormat::Unknown) return by_name;
  }
  if (data.size() < kTgaFooterSize) return PictureFormat::Unknown;
  if (HasAt(data, data.size() - kTgaFooterSize, kTgaFooter)) return PictureFormat::Tga;
  if (format != PictureFormat::Unknown) return format;
  if (HasAt(data, kPhotoCdMarkerOffset, "PCD")) return PictureFormat::PhotoCd;
  return PictureFormat::Unknown;
}

}  // namespace saver
