#pragma once
// The picture of the screen as it was when the saver started, which image items with source
// mode 2 show.
#include <string>

namespace saver::win {

// Copies the whole desktop window into `output` as a 24-bit BMP of the desktop's size, whatever
// the display's colour depth. False, and no file, when the screen cannot be read or written.
bool CaptureDesktop(const std::wstring& output);

}  // namespace saver::win
