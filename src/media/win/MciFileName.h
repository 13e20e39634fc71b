#pragma once
// The name under which MCI devices can open a media file. Some devices read their files through the
// ANSI file functions, so a long name with characters outside the ANSI code page (a temporary
// folder named in another script) never reaches them whole: such a name is handed over in its short
// 8.3 form, which the file system spells in ASCII.
#include <string>

namespace saver::win {

// `file_name` itself when the ANSI code page spells it exactly; otherwise its short form when that
// one does; otherwise `file_name` again (the device then reports the open as failed).
std::wstring MciFileName(const std::wstring& file_name);

}  // namespace saver::win
