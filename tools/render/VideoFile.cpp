#include "render/VideoFile.h"

#include <string>
#include <vector>

#include "ToolError.h"
#include "render/RunProgram.h"

namespace saver::tool {
namespace {

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

}  // namespace

std::filesystem::path MakeVideo(const RenderSettings& settings, const std::filesystem::path& frame_pattern) {
  const std::filesystem::path video = settings.folder / (settings.video == VideoKind::Gif ? "show.gif" : "show.mp4");
  const std::filesystem::path log = settings.folder / "ffmpeg.log";
  const int status = RunProgram(FfmpegArguments(settings, frame_pattern, video), log);
  if (status == kProgramNotStarted)
    throw CToolError("ffmpeg could not be started: is it installed? (scripts/setup installs it)");
  if (status != 0) throw CToolError(video.string() + ": ffmpeg failed, see " + log.string());
  return video;
}

}  // namespace saver::tool
