#include "render/RenderSettings.h"

#include <charconv>
#include <cmath>
#include <string>

#include "ToolError.h"

namespace saver::tool {
namespace {

constexpr int kLargestSide = 8192;
constexpr double kLongestShowSeconds = 3600.0;
constexpr int kMostFramesPerSecond = 100;

long long WholeNumber(const std::string& option, const std::string& text, long long low, long long high) {
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
    throw CToolError(option + ": \"" + text + "\" is not a whole number from " + std::to_string(low) + " to " +
                     std::to_string(high));
  }
  return value;
}

Size ScreenSize(const std::string& text) {
  const std::size_t x = text.find('x');
  if (x == std::string::npos) throw CToolError("--size: \"" + text + "\" is not WIDTHxHEIGHT, e.g. 1280x720");
  return {static_cast<int>(WholeNumber("--size", text.substr(0, x), 1, kLargestSide)),
          static_cast<int>(WholeNumber("--size", text.substr(x + 1), 1, kLargestSide))};
}

std::uint32_t ShowMilliseconds(const std::string& text) {
  double seconds = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (error != std::errc() || end != text.data() + text.size() || !(seconds > 0.0) ||
      seconds > kLongestShowSeconds) {
    throw CToolError("--seconds: \"" + text + "\" is not a number of seconds above 0 and at most 3600");
  }
  return static_cast<std::uint32_t>(std::max(1.0, std::round(seconds * 1000.0)));
}

}  // namespace

RenderSettings ReadRenderSettings(const Arguments& arguments) {
  RenderSettings settings;
  const auto given = [&](const char* option) { return arguments.values.count(option) != 0; };
  if (given("--size")) settings.screen = ScreenSize(arguments.Value("--size"));
  if (given("--seconds")) settings.milliseconds = ShowMilliseconds(arguments.Value("--seconds"));
  if (given("--fps")) {
    settings.frames_per_second = static_cast<int>(WholeNumber("--fps", arguments.Value("--fps"), 1, kMostFramesPerSecond));
  }
  if (given("--times")) {
    settings.calibration = static_cast<std::uint32_t>(WholeNumber("--times", arguments.Value("--times"), 1, 0xFFFFFFFFLL));
  }
  settings.folder = arguments.Value("--output");
  if (arguments.Has("--gif") && arguments.Has("--mp4")) throw CToolError("--gif and --mp4: choose one");
  if (arguments.Has("--gif")) settings.video = VideoKind::Gif;
  if (arguments.Has("--mp4")) settings.video = VideoKind::Mp4;
  return settings;
}

}  // namespace saver::tool
