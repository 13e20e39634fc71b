#pragma once
#include <filesystem>

#include "render/RenderSettings.h"

namespace saver::tool {

// Joins the numbered frames matching `frame_pattern` into `settings.folder`/show.gif or show.mp4
// with the system's ffmpeg, at the frames' rate; ffmpeg's own output goes to ffmpeg.log beside
// it. Returns the file made; a CToolError when ffmpeg is missing or fails.
std::filesystem::path MakeVideo(const RenderSettings& settings, const std::filesystem::path& frame_pattern);

}  // namespace saver::tool
