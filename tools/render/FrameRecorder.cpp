#include "render/FrameRecorder.h"

#include <cstdio>

#include "render/PngFile.h"

namespace saver::tool {
namespace {

constexpr std::uint64_t kMicrosecondsPerSecond = 1000000;

std::string Numbered(const char* stem, int number, int digits) {
  char name[64];
  std::snprintf(name, sizeof name, "%s-%0*d.png", stem, digits, number);
  return name;
}

}  // namespace

CFrameRecorder::CFrameRecorder(std::filesystem::path folder, int frames_per_second, std::uint32_t limit_milliseconds)
    : folder_(std::move(folder)),
      frames_per_second_(frames_per_second),
      limit_(std::uint64_t{limit_milliseconds} * 1000) {}

std::uint64_t CFrameRecorder::FrameTime(int frame) const {
  return static_cast<std::uint64_t>(frame) * kMicrosecondsPerSecond / static_cast<std::uint64_t>(frames_per_second_);
}

void CFrameRecorder::Hold(std::uint64_t microseconds, const std::function<const CPixelBuffer&()>& screen) {
  const std::uint64_t until = now_ + microseconds;
  while (FrameTime(frames_written_) < until && FrameTime(frames_written_) < limit_) WriteFrame(screen());
  now_ = until;
}

void CFrameRecorder::TransitionEnded(const CPixelBuffer& screen) {
  const std::string file = Numbered("transition", static_cast<int>(transitions_.size()) + 1, 3);
  WriteFileBytes(folder_ / file, Encoded(screen));
  transitions_.push_back({now_, file});
}

void CFrameRecorder::Finish(const CPixelBuffer& screen) {
  if (!TimeUp()) WriteFrame(screen);
}

void CFrameRecorder::WriteFrame(const CPixelBuffer& screen) {
  WriteFileBytes(folder_ / Numbered("frame", frames_written_, 6), Encoded(screen));
  ++frames_written_;
}

const Bytes& CFrameRecorder::Encoded(const CPixelBuffer& screen) {
  if (last_png_.empty() || !(screen == last_screen_)) {
    last_png_ = EncodePng(screen);
    last_screen_ = screen;
  }
  return last_png_;
}

}  // namespace saver::tool
