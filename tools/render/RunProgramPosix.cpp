#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "ToolError.h"
#include "render/RunProgram.h"

namespace saver::tool {

int RunProgram(const std::vector<std::string>& words, const std::filesystem::path& log) {
  const int log_file = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (log_file < 0) throw CToolError(log.string() + ": cannot be written");
  std::vector<char*> argv;
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    dup2(log_file, STDOUT_FILENO);
    dup2(log_file, STDERR_FILENO);
    execvp(argv[0], argv.data());
    _exit(kProgramNotStarted);
  }
  close(log_file);
  if (child < 0) return -1;
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace saver::tool
