#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "slideshow/PhotoProcessing.h"

namespace saver::tool {

// The command line of `saverpkg slideshow`, read and checked.
struct SlideshowOptions {
  std::vector<std::string> inputs;      // photos and folders
  std::filesystem::path output;         // the saver file
  std::filesystem::path engine;         // the padded engine
  std::filesystem::path scene;          // empty: the scene is not kept
  std::filesystem::path music;          // empty: none
  std::string title;                    // UTF-8; empty: none
  enum class Order { Name, Date, Shuffle } order = Order::Name;
  std::optional<std::uint32_t> shuffle_seed;  // with Order::Shuffle; none: a new order each time
  std::int64_t effect = 3;              // 3: a random transition at every show
  std::int64_t hold_milliseconds = 8000;
  PhotoSettings photos;
};

// Fails with a CToolError naming the option for a value it cannot take. Without --engine, the
// engine is saver.scr beside the program (where the release puts it).
SlideshowOptions ReadSlideshowOptions(const Arguments& arguments);

}  // namespace saver::tool
