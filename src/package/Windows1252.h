#pragma once
#include <string>
#include <string_view>

namespace saver {

// Converts UTF-16 text to the ANSI code page. The portable core converts to Windows-1252 (the
// code page of the machines the packages were authored on); the Win32 shell passes the system's.
using Utf16ToAnsi = std::string (*)(std::u16string_view text);

// Characters Windows-1252 cannot show become '?', as the system's conversion does by default.
std::string Windows1252FromUtf16(std::u16string_view text);

// The inverse: every byte is one UTF-16 unit (the package tool prints package text as UTF-8).
std::u16string Utf16FromWindows1252(std::string_view text);

}  // namespace saver
