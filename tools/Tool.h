#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace saver::tool {

// Runs one saverpkg command line (the words after the program name). Reports go to `out`,
// failures to `err` as "saverpkg: <file>: <field>: <what>". Returns the exit code: 0 on success,
// 1 when the command failed, 2 for a command line that cannot be understood.
int RunTool(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

}  // namespace saver::tool
