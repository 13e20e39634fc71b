#include "slideshow/SlideshowScene.h"

namespace saver::tool {
namespace {

// Black behind every picture, whatever the saver window's own colour.
const Json kBlack = {{"value", "#000000"}, {"use_window_colour", false}};

// How long the typed title stays before the first picture.
constexpr std::int64_t kTitleHoldMilliseconds = 3000;

Json Fill() { return {{"kind", "fill"}, {"colour", kBlack}}; }

Json Delay(std::int64_t milliseconds) { return {{"kind", "delay"}, {"duration", milliseconds}}; }

void AddTitle(const std::string& title, Json& items) {
  items.push_back({{"kind", "text"},
                   {"name", "title"},
                   {"text", title},
                   {"text_colour", "#FFFFFF"},
                   {"background_colour", "#000000"},
                   {"align", "centre"},
                   {"font", {{"height", -48}, {"weight", 700}, {"face", "Arial"}}}});
  items.push_back({{"kind", "show_image"},
                   {"target", "title"},
                   {"path",
                    {{"start", {{"x_mode", "centre"}, {"y_mode", "centre"}}},
                     {"typewriter", true},
                     {"typewriter_delay", 1900}}},
                   {"colour", kBlack}});
  items.push_back(Delay(kTitleHoldMilliseconds));
  items.push_back(Fill());
}

void AddPicture(const std::string& file, std::size_t index, const SlideshowPlan& plan, Json& items) {
  const std::string name = "photo " + std::to_string(index + 1);
  items.push_back({{"kind", "picture"}, {"name", name}, {"file", file}, {"fit_to_screen", true}, {"keep_aspect", true}});
  items.push_back({{"kind", "show_image"},
                   {"target", name},
                   {"path", {{"start", {{"x_mode", "centre"}, {"y_mode", "centre"}}}, {"effect", plan.effect}}},
                   {"colour", kBlack}});
  items.push_back(Delay(plan.hold_milliseconds));
  items.push_back(Fill());
}

}  // namespace

Json SlideshowScene(const SlideshowPlan& plan) {
  Json items = Json::array();
  if (!plan.music.empty()) {
    items.push_back({{"kind", "media"}, {"name", "music"}, {"file", plan.music}, {"media", plan.music_kind}});
    items.push_back({{"kind", "play_media"}, {"target", "music"}, {"loop", true}});
  }
  items.push_back(Fill());
  if (!plan.title.empty()) AddTitle(plan.title, items);
  items.push_back({{"kind", "loop_start"}});
  for (std::size_t i = 0; i < plan.pictures.size(); ++i) AddPicture(plan.pictures[i], i, plan, items);
  items.push_back({{"kind", "loop_end"}, {"endless", true}});
  return {{"items", items}};
}

}  // namespace saver::tool
