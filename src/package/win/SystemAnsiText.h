#pragma once
#include <string>
#include <string_view>

namespace saver::win {

// UTF-16 package strings in the system's ANSI code page; pass it to CArchiveReader on Windows.
std::string SystemAnsiFromUtf16(std::u16string_view text);

}  // namespace saver::win
