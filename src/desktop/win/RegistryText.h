#pragma once
// String values of the system's registry keys, read as the system's ANSI text.
#include <windows.h>

#include <optional>
#include <string>

namespace saver::win {

// The value `name` ("" for the default value) of the open key, if it is a string that fits in
// `max_bytes` bytes with its terminating zero.
std::optional<std::string> ReadKeyText(HKEY key, const char* name, DWORD max_bytes);

// The same, opening `subkey` of `root` with `access` for the read.
std::optional<std::string> ReadRegistryText(HKEY root, const std::string& subkey, const char* name, DWORD max_bytes,
                                            REGSAM access = KEY_READ);

}  // namespace saver::win
