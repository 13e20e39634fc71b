#pragma once
#include <string>
#include <string_view>

namespace saver::win {

// Between the wide strings of the Win32 API and the narrow strings of the package, which are in
// the system's ANSI code page.
std::wstring WideFromAnsi(std::string_view text);
std::string AnsiFromWide(std::wstring_view text);
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace saver::win
