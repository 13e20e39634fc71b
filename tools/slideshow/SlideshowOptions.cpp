#include "slideshow/SlideshowOptions.h"

#include <cmath>
#include <cstdlib>

#include "EffectNames.h"
#include "ProgramFile.h"
#include "ToolError.h"

namespace saver::tool {
namespace {

constexpr std::int64_t kLongestHoldMilliseconds = 24 * 3600 * 1000;

std::int64_t ReadWhole(const std::string& option, const std::string& text, std::int64_t low, std::int64_t high) {
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value < low || value > high) {
    throw CToolError(option + ": expected a whole number from " + std::to_string(low) + " to " + std::to_string(high) +
                     ", got \"" + text + "\"");
  }
  return value;
}

std::int64_t ReadHold(const std::string& text) {
  char* end = nullptr;
  const double seconds = std::strtod(text.c_str(), &end);
  const double milliseconds = std::round(seconds * 1000.0);
  if (text.empty() || *end != '\0' || !(milliseconds >= 0.0 && milliseconds <= kLongestHoldMilliseconds)) {
    throw CToolError("--seconds: expected a number of seconds from 0 to 86400, got \"" + text + "\"");
  }
  return static_cast<std::int64_t>(milliseconds);
}

Size ReadMaxSize(const std::string& text) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string::npos)
    throw CToolError("--max-size: expected WIDTHxHEIGHT such as 3840x2160, got \"" + text + "\"");
  return {static_cast<int>(ReadWhole("--max-size", text.substr(0, x), 1, 32767)),
          static_cast<int>(ReadWhole("--max-size", text.substr(x + 1), 1, 32767))};
}

std::int64_t ReadEffectOption(const std::string& text) {
  if (text == "random") return 3;
  const std::optional<std::int64_t> effect = FindEffect(text);
  if (!effect) {
    throw CToolError("--effect: unknown effect \"" + text +
                     "\" (valid: random, a number or a name that saverpkg effects lists)");
  }
  return *effect;
}

std::filesystem::path DefaultEngine() {
  const std::filesystem::path beside = ProgramFile().parent_path() / "saver.scr";
  std::error_code error;
  if (ProgramFile().empty() || !std::filesystem::is_regular_file(beside, error)) {
    throw CToolError("no engine: give --engine SAVER.scr (there is no saver.scr beside saverpkg)");
  }
  return beside;
}

}  // namespace

SlideshowOptions ReadSlideshowOptions(const Arguments& arguments) {
  SlideshowOptions options;
  options.inputs = arguments.inputs;
  options.output = std::filesystem::u8path(arguments.Value("--output"));
  const auto value = [&](const char* name) -> const std::string* {
    const auto found = arguments.values.find(name);
    return found == arguments.values.end() ? nullptr : &found->second;
  };
  options.engine = value("--engine") ? std::filesystem::u8path(*value("--engine")) : DefaultEngine();
  if (value("--scene")) options.scene = std::filesystem::u8path(*value("--scene"));
  if (value("--music")) options.music = std::filesystem::u8path(*value("--music"));
  if (value("--title")) options.title = *value("--title");
  if (value("--order")) {
    const std::string& order = *value("--order");
    if (order != "name" && order != "date") throw CToolError("--order: expected name or date, got \"" + order + "\"");
    options.order = order == "date" ? SlideshowOptions::Order::Date : SlideshowOptions::Order::Name;
  }
  if (arguments.Has("--shuffle")) {
    if (value("--order")) throw CToolError("--order and --shuffle exclude each other");
    options.order = SlideshowOptions::Order::Shuffle;
    if (value("--shuffle")) options.shuffle_seed = static_cast<std::uint32_t>(ReadWhole("--shuffle", *value("--shuffle"), 0, 0xFFFFFFFF));
  }
  if (value("--effect")) options.effect = ReadEffectOption(*value("--effect"));
  if (value("--seconds")) options.hold_milliseconds = ReadHold(*value("--seconds"));
  if (value("--max-size")) options.photos.max_size = ReadMaxSize(*value("--max-size"));
  if (value("--quality")) options.photos.quality = static_cast<int>(ReadWhole("--quality", *value("--quality"), 1, 100));
  return options;
}

}  // namespace saver::tool
