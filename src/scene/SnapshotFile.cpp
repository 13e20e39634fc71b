#include "scene/SnapshotFile.h"

#include <cstdio>
#include <memory>
#ifdef _WIN32
#include <wchar.h>  // _wfopen
#endif

namespace saver {
namespace {

// Length of the sequence a lead byte starts, 0 for a byte that cannot lead one.
int SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// C stdio keeps the iostreams out of the engine image.
std::FILE* OpenForReading(const std::string& utf8_path) {
  const std::optional<std::u16string> wide = Utf16FromUtf8(utf8_path);
  if (!wide) return nullptr;
#ifdef _WIN32
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  return _wfopen(reinterpret_cast<const wchar_t*>(wide->c_str()), L"rb");
#else
  return std::fopen(utf8_path.c_str(), "rb");
#endif
}

}  // namespace

std::optional<std::u16string> Utf16FromUtf8(std::string_view text) {
  static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  std::u16string out;
  for (std::size_t i = 0; i < text.size();) {
    const int length = SequenceLength(static_cast<unsigned char>(text[i]));
    if (length == 0 || text.size() - i < static_cast<std::size_t>(length)) return std::nullopt;
    char32_t code = length == 1 ? static_cast<unsigned char>(text[i])
                                : static_cast<unsigned char>(text[i]) & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
      const auto continuation = static_cast<unsigned char>(text[i + k]);
      if ((continuation & 0xC0) != 0x80) return std::nullopt;
      code = (code << 6) | (continuation & 0x3F);
    }
    if (code < kMinimum[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
    if (code >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
    i += static_cast<std::size_t>(length);
  }
  return out;
}

std::optional<std::vector<std::uint8_t>> ReadSnapshotFile(const std::string& utf8_path) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenForReading(utf8_path), &std::fclose);
  if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return std::nullopt;
  const long size = std::ftell(file.get());
  if (size < 0 || size > kMaxSnapshotBytes || std::fseek(file.get(), 0, SEEK_SET) != 0) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  // An empty file has no buffer to read into (data() may be null).
  if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return std::nullopt;
  return bytes;
}

}  // namespace saver
