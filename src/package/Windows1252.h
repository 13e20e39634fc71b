#pragma once
#include <string>
#include <string_view>

namespace saver {

// Converts UTF-16 text to the ANSI code page. The portable core converts to Windows-1252 (the
// code page of the machines the packages were authored on); the Win32 shell passes the system's.
using Utf16ToAnsi = std::string (*)(std::u16string_view text);

// Characters Windows-1252 cannot show become '?', as the system's conversion does by default.
std::string Windows1252FromUtf16(std::u16string_view text);

}  // namespace saver
