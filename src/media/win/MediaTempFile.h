#pragma once
// Temporary files for the players that read media from a file (video, Flash, MIDI).
#include <cstdint>
#include <string>

#include "package/StoredBytes.h"

namespace saver {
class CUserMessages;
}

namespace saver::win {

// Writes `bytes` to a new "Ssd" file in the temporary folder and moves it to that name with
// `extension` (".avi", ".swf", ".mid") appended, which MCI and the Flash control go by. Returns
// the file's name, or an empty name after showing "It cannot be made data file." when any step
// fails; nothing is left behind then.
std::wstring WriteMediaTempFile(const CStoredBytes& bytes, const wchar_t* extension, CUserMessages& messages);

// Deletes the file named by `name`, if any, and forgets the name.
void DeleteMediaFile(std::wstring& name);

}  // namespace saver::win
