#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "imaging/Rect.h"

namespace saver {

class CSceneRuntime;

// Milliseconds between two typed characters for a path's typewriter delay: 2000 - delay. A delay
// above 2000 gives no pause rather than a negative one (which would never end).
std::uint32_t TypewriterPause(std::int32_t typewriter_delay);

// The prefix of `text` that a typewriter step starting at `index` shows: the text up to and
// including the next character that is not a line break, with `index` moved onto it. When only
// line breaks remain the prefix is empty, which stands for the whole text. Nothing when `index`
// is already past the end.
std::optional<std::string_view> NextTypewriterPrefix(std::string_view text, std::size_t& index);

// Where a prefix of `prefix` size goes so that it stays where it lies in the whole text, which is
// `full_width` wide at `position`: centred (text format 1) or right-aligned (2) on that width.
// Left-aligned text (0) needs no rectangle: the prefix is placed at `position` like any image.
std::optional<Rect> TypewriterRect(std::uint32_t text_format, Point position, int full_width, Size prefix);

// Shows one more character from `index` (in/out); false once the text is complete or cannot be
// drawn.
using TypeStepFunction = std::function<bool(std::size_t& index)>;

// The typewriter loop of a show action: a step, the pause in slices that a stop request cuts
// short, the next character, until the text is complete or the show is stopped.
void RunTypewriter(CSceneRuntime& runtime, std::int32_t typewriter_delay, const TypeStepFunction& type_step);

}  // namespace saver
