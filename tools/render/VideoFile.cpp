#include "render/VideoFile.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "ToolError.h"

namespace saver::tool {
namespace {

// Exit status 127 from the child: ffmpeg could not be started.
constexpr int kNotStarted = 127;

std::vector<std::string> FfmpegArguments(const RenderSettings& settings, const std::filesystem::path& frame_pattern,
                                         const std::filesystem::path& video) {
  std::vector<std::string> words = {"ffmpeg", "-nostdin", "-y", "-framerate", std::to_string(settings.frames_per_second),
                                    "-i", frame_pattern.string()};
  if (settings.video == VideoKind::Gif) {
    // One palette made for the whole show keeps flat colours flat.
    words.insert(words.end(), {"-filter_complex", "[0:v]split[a][b];[a]palettegen[p];[b][p]paletteuse"});
  } else {
    // Even sides and 4:2:0 chroma: what common players accept.
    words.insert(words.end(), {"-vf", "pad=ceil(iw/2)*2:ceil(ih/2)*2", "-c:v", "libx264", "-pix_fmt", "yuv420p"});
  }
  words.push_back(video.string());
  return words;
}

// Runs the program with these words, its output into `log`; its exit status, or -1.
int Run(const std::vector<std::string>& words, const std::filesystem::path& log) {
  const int log_file = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (log_file < 0) throw ToolError(log.string() + ": cannot be written");
  std::vector<char*> argv;
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    dup2(log_file, STDOUT_FILENO);
    dup2(log_file, STDERR_FILENO);
    execvp(argv[0], argv.data());
    _exit(kNotStarted);
  }
  close(log_file);
  if (child < 0) return -1;
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::filesystem::path MakeVideo(const RenderSettings& settings, const std::filesystem::path& frame_pattern) {
  const std::filesystem::path video = settings.folder / (settings.video == VideoKind::Gif ? "show.gif" : "show.mp4");
  const std::filesystem::path log = settings.folder / "ffmpeg.log";
  const int status = Run(FfmpegArguments(settings, frame_pattern, video), log);
  if (status == kNotStarted) throw ToolError("ffmpeg could not be started: is it installed? (scripts/setup installs it)");
  if (status != 0) throw ToolError(video.string() + ": ffmpeg failed, see " + log.string());
  return video;
}

}  // namespace saver::tool
