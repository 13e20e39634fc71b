#pragma once
#include <string>

#include "FileBytes.h"

namespace saver::tool {

// Refuses, with a CToolError naming `file_name`, anything that is not a bare padded engine: a
// Windows executable (MZ stub, PE header, i386 or x86-64 machine) of exactly kPackageOffset bytes
// whose sections end at or before that size and whose remaining bytes are all zero padding.
void CheckPaddedEngine(const Bytes& engine, const std::string& file_name);

}  // namespace saver::tool
