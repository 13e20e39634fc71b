#pragma once
#include <string>

namespace saver {

// The browser's executable path from the shell command registered for http, such as
// "\"C:\\Program Files\\Web\\BROWSER.EXE\" -nohome \"%1\"": quotes and arguments go, and the
// result is lower case, ending right after its first ".exe" when it has one.
std::string CleanBrowserCommandLine(const std::string& command);

}  // namespace saver
