#include "scene/Typewriter.h"

#include "scene/SceneRuntime.h"
#include "scene/Timeline.h"

namespace saver {
namespace {

constexpr std::int64_t kTypewriterPauseBase = 2000;

bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }

}  // namespace

std::uint32_t TypewriterPause(std::int32_t typewriter_delay) {
  const std::int64_t pause = kTypewriterPauseBase - typewriter_delay;
  return pause > 0 ? static_cast<std::uint32_t>(pause) : 0;
}

std::optional<std::string_view> NextTypewriterPrefix(std::string_view text, std::size_t& index) {
  if (index >= text.size()) return std::nullopt;
  while (index < text.size() && IsLineBreak(text[index])) ++index;
  if (index == text.size()) return std::string_view{};
  return text.substr(0, index + 1);
}

std::optional<Rect> TypewriterRect(std::uint32_t text_format, Point position, int full_width, Size prefix) {
  switch (text_format) {
    case 1:
      return Rect::FromSize(position.x + (full_width - prefix.width) / 2, position.y, prefix.width,
                            prefix.height);
    case 2:
      return Rect::FromSize(position.x + full_width - prefix.width, position.y, prefix.width,
                            prefix.height);
    default:
      return std::nullopt;
  }
}

void RunTypewriter(CSceneRuntime& runtime, std::int32_t typewriter_delay, const TypeStepFunction& type_step) {
  const std::uint32_t pause = TypewriterPause(typewriter_delay);
  for (std::size_t index = 0; !runtime.StopRequested(); ++index) {
    if (!type_step(index)) return;
    SleepInSlices(runtime, pause);
  }
}

}  // namespace saver
