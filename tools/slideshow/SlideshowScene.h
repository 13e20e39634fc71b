#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "FieldTable.h"

namespace saver::tool {

// What a slideshow shows, with files named relative to the scene's folder.
struct SlideshowPlan {
  std::vector<std::string> pictures;  // in show order
  std::string music;                  // empty: none
  std::string music_kind;             // "mp3" or "wav"
  std::string title;                  // UTF-8; empty: none
  std::int64_t effect = 3;            // path.effect of every picture (3: a random transition each time)
  std::int64_t hold_milliseconds = 8000;
};

// The scene description of the show: the music started once and looping in the background, the
// screen filled black, the title typed out, then endlessly each picture fitted to the screen
// with its proportions, centred, brought in by the effect on black and held, the screen filled
// black again before the next.
Json SlideshowScene(const SlideshowPlan& plan);

}  // namespace saver::tool
