#include "render/OffscreenRuntime.h"

#include "scene/Timeline.h"

namespace saver::tool {
namespace {

constexpr std::uint32_t kIdleLooksPerMillisecond = 10000;

}  // namespace

COffscreenRuntime::COffscreenRuntime(COffscreenStage& stage, CFrameRecorder& recorder, std::uint32_t calibration)
    : stage_(stage),
      recorder_(recorder),
      calibration_(calibration),
      seed_sources_{[this] { return Clock(); }, [this] { return Clock() % 1000; },
                    [this] { return static_cast<std::int32_t>(calibration_); }} {}

std::uint64_t COffscreenRuntime::NowMicroseconds() const { return recorder_.NowMicroseconds() + idle_microseconds_; }

// Wraps after 49.7 days like the system's tick count.
std::uint32_t COffscreenRuntime::Clock() const { return static_cast<std::uint32_t>(NowMicroseconds() / 1000); }

bool COffscreenRuntime::StopRequested() const {
  CountIdleLook();
  return NowMicroseconds() >= recorder_.LimitMicroseconds();
}

std::uint32_t COffscreenRuntime::TickCount() const {
  CountIdleLook();
  return Clock();
}

void COffscreenRuntime::CountIdleLook() const {
  if (++idle_looks_ < kIdleLooksPerMillisecond) return;
  idle_looks_ = 0;
  idle_microseconds_ += 1000;
}

void COffscreenRuntime::Sleep(std::uint32_t milliseconds) { Hold(std::uint64_t{milliseconds} * 1000); }

void COffscreenRuntime::PacedWait(std::int32_t a, double k) {
  const std::uint64_t polls = PacedPollCount(a, k, calibration_);
  Hold(polls * 1000000 / calibration_);
}

void COffscreenRuntime::Hold(std::uint64_t microseconds) {
  recorder_.Hold(idle_microseconds_ + microseconds,
                 [this]() -> const CPixelBuffer& { return stage_.Canvas().CurrentPixels(); });
  idle_microseconds_ = 0;
  idle_looks_ = 0;
}

void COffscreenRuntime::Finish() {
  Hold(0);
  recorder_.Finish(stage_.Canvas().CurrentPixels());
}

}  // namespace saver::tool
