#include "AnsiText.h"

#include <cstdio>

#include "package/Windows1252.h"

namespace saver::tool {
namespace {

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The code point starting at text[i]; advances i. Returns false for malformed UTF-8.
bool NextCodePoint(const std::string& text, std::size_t& i, char32_t& code) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  int extra = lead < 0x80 ? 0 : lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
  if (extra < 0) return false;
  code = extra == 0 ? lead : lead & (0x3F >> extra);
  for (; extra > 0; --extra) {
    if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return false;
    code = code << 6 | (static_cast<unsigned char>(text[i++]) & 0x3F);
  }
  return true;
}

}  // namespace

std::string Utf8FromAnsi(const std::string& ansi) {
  std::string out;
  for (char16_t unit : Utf16FromWindows1252(ansi)) AppendUtf8(out, unit);
  return out;
}

std::string AnsiFromUtf8(const std::string& utf8, const CSceneSite& at) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t code = 0;
    if (!NextCodePoint(utf8, i, code)) at.Fail("the text is not valid UTF-8");
    const std::string byte = code > 0xFFFF ? std::string("?") : Windows1252FromUtf16(std::u16string(1, char16_t(code)));
    if (byte == "?" && code != U'?') {
      char name[16];
      std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
      at.Fail(std::string("the character ") + name + " cannot be stored (package text is Windows-1252)");
    }
    out += byte;
  }
  return out;
}

}  // namespace saver::tool
