#pragma once
#include <filesystem>

namespace saver::tool {

// The running program's own file (saverpkg or saverpkg.exe), empty when the system does not say.
std::filesystem::path ProgramFile();

}  // namespace saver::tool
