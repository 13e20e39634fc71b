#pragma once
#include <string>

#include "SceneSite.h"

namespace saver::tool {

// Package strings are Windows-1252; scene descriptions and printed JSON are UTF-8.
std::string Utf8FromAnsi(const std::string& ansi);
// Fails naming the field for text that is not UTF-8 or holds a character Windows-1252 lacks.
std::string AnsiFromUtf8(const std::string& utf8, const CSceneSite& at);

}  // namespace saver::tool
