#pragma once
#include <cstdint>
#include <filesystem>

#include "CommandLine.h"
#include "imaging/Rect.h"

namespace saver::tool {

enum class VideoKind { None, Gif, Mp4 };

// How `render` plays a show off screen and what it writes.
struct RenderSettings {
  Size screen{1280, 720};
  // Show time rendered; the show is stopped when its clock reaches it.
  std::uint32_t milliseconds = 10000;
  int frames_per_second = 10;
  // The calibration count the paced waits are scaled by: stop-event polls per second of the
  // machine the show pretends to run on. Only its ratio to the polls matters for the clock.
  std::uint32_t calibration = 10000000;
  std::filesystem::path folder;
  VideoKind video = VideoKind::None;
};

// Reads --size WxH, --seconds N (decimals allowed), --fps N, --times N, -o/--output DIR and
// --gif/--mp4; a value out of range fails with a CToolError naming the option.
RenderSettings ReadRenderSettings(const Arguments& arguments);

}  // namespace saver::tool
