#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace saver::tool {

// Exit status when the program could not be started at all.
inline constexpr int kProgramNotStarted = 127;

// Runs a program found on the search path with these words (the first is its name), its
// standard output and error into `log`, and waits for it: its exit status, kProgramNotStarted,
// or -1 when it ended abnormally. A CToolError when the log cannot be written.
int RunProgram(const std::vector<std::string>& words, const std::filesystem::path& log);

}  // namespace saver::tool
