#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace saver::tool {

// The media kind of a show's music, by content: "wav" (a RIFF WAVE file) or "mp3" (an MPEG
// layer 3 frame header near the start, after an ID3v2 tag if there is one); "" for anything else.
std::string MusicKind(std::span<const std::uint8_t> bytes);

}  // namespace saver::tool
