#include <algorithm>
#include <cctype>
#include <cstdio>

#include "Commands.h"
#include "InputFile.h"
#include "ToolError.h"
#include "base/MsvcRand.h"
#include "render/FrameRecorder.h"
#include "render/OffscreenRuntime.h"
#include "render/OffscreenStage.h"
#include "render/RenderSettings.h"
#include "render/UnrenderedItems.h"
#include "render/VideoFile.h"
#include "scene/ShowLoop.h"

namespace saver::tool {
namespace {

std::string Seconds(std::uint64_t microseconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f s", static_cast<double>(microseconds) / 1e6);
  return text;
}

// "PREFIX" then at least `digits` decimal digits then ".png".
bool IsNumberedPng(const std::string& name, const std::string& prefix, std::size_t digits) {
  const std::string suffix = ".png";
  if (name.size() < prefix.size() + digits + suffix.size() || !name.starts_with(prefix) || !name.ends_with(suffix)) {
    return false;
  }
  const auto first = name.begin() + static_cast<std::ptrdiff_t>(prefix.size());
  const auto last = name.end() - static_cast<std::ptrdiff_t>(suffix.size());
  return std::all_of(first, last, [](unsigned char c) { return std::isdigit(c) != 0; });
}

bool IsRenderedFile(const std::string& name) {
  return IsNumberedPng(name, "frame-", 6) || IsNumberedPng(name, "transition-", 3) || name == "show.gif" ||
         name == "show.mp4" || name == "ffmpeg.log";
}

// Makes the folder, and clears the files an earlier rendering left there, so that no stale frame
// joins the new ones in the video.
void PrepareFolder(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (!std::filesystem::is_directory(folder)) throw CToolError(folder.string() + ": cannot be made a folder");
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.is_regular_file() && IsRenderedFile(entry.path().filename().string())) {
      std::filesystem::remove(entry.path());
    }
  }
}

void PrintNotes(const UnrenderedItems& left_out, const COffscreenRuntime& runtime, const CMessageLog& messages,
                std::ostream& out) {
  if (left_out.text_actions > 0) {
    out << "note: " << left_out.text_actions << " action(s) on texts skipped: texts need the Windows fonts\n";
  }
  if (left_out.snapshot_actions > 0) {
    out << "note: " << left_out.snapshot_actions
        << " action(s) on the desktop or wallpaper picture skipped: they exist only on the user's machine\n";
  }
  if (left_out.media_actions > 0) out << "note: " << left_out.media_actions << " media action(s) play nothing here\n";
  if (runtime.LinksArmed() > 0) out << "note: " << runtime.LinksArmed() << " link(s) armed, none opened\n";
  for (const std::string& text : messages.Texts()) out << "note: the show would say \"" << text << "\"\n";
}

}  // namespace

// saverpkg render (SCENE.json | SHOW.pkg | SHOW.scr) -o FOLDER [--size WxH] [--seconds N] [--fps N]
//                 [--times N] [--gif | --mp4]
// Plays the show through the engine's own items and transitions on a screen in memory and a
// virtual clock, writing frame-NNNNNN.png every 1/fps of show time and transition-NNN.png as each
// transition ends.
void RunRender(const Arguments& arguments, std::ostream& out) {
  const RenderSettings settings = ReadRenderSettings(arguments);
  const InputFile input = LoadInput(arguments.inputs[0]);
  PrepareFolder(settings.folder);
  const CItemList& items = input.package->registry.Items();
  const UnrenderedItems left_out = DisableUnrenderableActions(items);

  CFrameRecorder recorder(settings.folder, settings.frames_per_second, settings.milliseconds);
  COffscreenStage stage(settings.screen, [&recorder](const CPixelBuffer& screen) { recorder.TransitionEnded(screen); });
  COffscreenRuntime runtime(stage, recorder, settings.calibration);
  MsvcSrand(1);  // the state a new thread of the engine starts with
  RunShowItems(items, runtime);
  runtime.Finish();

  out << input.name << ": " << (recorder.TimeUp() ? "stopped at " : "the show ended at ")
      << Seconds(recorder.NowMicroseconds()) << " of show time; " << recorder.FramesWritten() << " frames of "
      << settings.screen.width << "x" << settings.screen.height << " at " << settings.frames_per_second
      << " per second in " << settings.folder.string() << "\n";
  int number = 0;
  for (const CFrameRecorder::TransitionEnd& end : recorder.TransitionEnds()) {
    out << "transition " << ++number << " ended at " << Seconds(end.microseconds) << ": " << end.file << "\n";
  }
  PrintNotes(left_out, runtime, stage.ShownMessages(), out);
  if (settings.video != VideoKind::None) out << "video: " << MakeVideo(settings, recorder.FramePattern()).string() << "\n";
}

}  // namespace saver::tool
