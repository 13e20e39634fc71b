#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "FileBytes.h"
#include "imaging/PixelBuffer.h"

namespace saver::tool {

// The clock of a show rendered off screen and the PNG frames it passes. Time moves only when the
// show waits; frame k shows the screen as it was at k / fps seconds of show time, that is after
// all drawing done before that moment. Frames are written for the times before the limit only.
class CFrameRecorder {
 public:
  struct TransitionEnd {
    std::uint64_t microseconds;
    std::string file;
  };

  CFrameRecorder(std::filesystem::path folder, int frames_per_second, std::uint32_t limit_milliseconds);

  std::uint64_t NowMicroseconds() const { return now_; }
  std::uint64_t LimitMicroseconds() const { return limit_; }
  bool TimeUp() const { return now_ >= limit_; }

  // The screen stays as `screen()` shows it for `microseconds`: the frames due in that span show
  // it. The screen is asked for only when a frame falls due, so a surface that holds its drawing
  // back draws only the steps a frame shows.
  void Hold(std::uint64_t microseconds, const std::function<const CPixelBuffer&()>& screen);
  // Writes transition-NNN.png: the screen as a transition left it.
  void TransitionEnded(const CPixelBuffer& screen);
  // The show is over: a show that ended early gets one closing frame of its last picture.
  void Finish(const CPixelBuffer& screen);

  int FramesWritten() const { return frames_written_; }
  const std::vector<TransitionEnd>& TransitionEnds() const { return transitions_; }
  // The ffmpeg input pattern of the frames.
  std::filesystem::path FramePattern() const { return folder_ / "frame-%06d.png"; }

 private:
  std::uint64_t FrameTime(int frame) const;
  void WriteFrame(const CPixelBuffer& screen);
  const Bytes& Encoded(const CPixelBuffer& screen);

  std::filesystem::path folder_;
  int frames_per_second_;
  std::uint64_t limit_;
  std::uint64_t now_ = 0;
  int frames_written_ = 0;
  std::vector<TransitionEnd> transitions_;
  // The last picture encoded and its file, reused while the screen does not change.
  CPixelBuffer last_screen_;
  Bytes last_png_;
};

}  // namespace saver::tool
