#include "PropertyFields.h"

#include "EffectNames.h"

namespace saver::tool {
namespace {

using Path = CPathProperty;

const ChoiceTable kRasterModes = {{"copy", 0}, {"or", 1}, {"and", 2}};
const ChoiceTable kCoordinateModes = {
    {"edge_start", kModeEdgeStart}, {"centre", kModeCentre},
    {"edge_end", kModeEdgeEnd},     {"random", kModeRandom},
    {"random_inside", kModeRandomInside}, {"value", kModeStored}};
const ChoiceTable kComparisons = {{"greater", 0}, {"less", 1}, {"equal", 2}, {"not_equal", 3}};

auto Mode(std::size_t index) {
  return [index](auto& path) -> auto& { return path.modes[index]; };
}

// A path's start or end point: its coordinates and their modes (modes[first], modes[first + 1]).
Field<Path> Point(std::string name, std::int32_t Path::*x, std::int32_t Path::*y, std::size_t first) {
  return Group<Path>(std::move(name), {Integer<Path>("x", x), Integer<Path>("y", y),
                                       Enumerated<Path>("x_mode", Mode(first), kCoordinateModes),
                                       Enumerated<Path>("y_mode", Mode(first + 1), kCoordinateModes)});
}

Field<Path> Pair(std::string name, std::int32_t Path::*x, std::int32_t Path::*y) {
  return Group<Path>(std::move(name), {Integer<Path>("x", x), Integer<Path>("y", y)});
}

}  // namespace

const FieldTable<CSceneItem>& HeadFields() {
  static const FieldTable<CSceneItem> table = {
      Text<CSceneItem>(
          "name", [](const CSceneItem& i) { return i.Name().Text(); },
          [](CSceneItem& i, std::string text) { i.Name().SetText(std::move(text)); }),
      {"builder", [](const CSceneItem& i) { return Json(i.BuilderValue()); },
       [](CSceneItem& i, const Json& v, const CSceneSite& at) {
         i.SetBuilderValue(static_cast<std::uint32_t>(ReadInteger(v, at, 0, 0xFFFFFFFF)));
       }},
      {"disabled", [](const CSceneItem& i) { return Json(i.IsDisabled() != 0); },
       [](CSceneItem& i, const Json& v, const CSceneSite& at) { i.SetDisabled(ReadFlag(v, at) ? 1 : 0); }},
  };
  return table;
}

const FieldTable<CColorProperty>& ColourFields() {
  using C = CColorProperty;
  static const FieldTable<C> table = {
      Colour<C>("value", &C::colour),
      Enumerated<C>("raster", &C::raster_mode, kRasterModes),
      Flag<C>("random", &C::random),
      Flag<C>("use_window_colour", &C::fourth_value),
  };
  return table;
}

const FieldTable<CPathProperty>& PathFields() {
  static const FieldTable<Path> table = {
      Point("start", &Path::start_x, &Path::start_y, 0),
      Point("end", &Path::end_x, &Path::end_y, 2),
      Pair("step", &Path::step_x, &Path::step_y),
      Flag<Path>("horizontal", &Path::horizontal),
      Flag<Path>("free_movement", &Path::free_movement),
      Pair("limit", &Path::limit_x, &Path::limit_y),
      Enumerated<Path>("x_test", &Path::x_test, kComparisons),
      Enumerated<Path>("y_test", &Path::y_test, kComparisons),
      Flag<Path>("both_tests", &Path::both_tests),
      Integer<Path>("step_delay", &Path::step_delay),
      Flag<Path>("typewriter", &Path::typewriter),
      Integer<Path>("typewriter_delay", &Path::typewriter_delay),
      Flag<Path>("screen_copy_background", &Path::screen_copy_background),
      Flag<Path>("save_background", &Path::save_background),
      {"effect", [](const Path& path) { return Json(path.effect_number); },
       [](Path& path, const Json& v, const CSceneSite& at) {
         path.effect_number = static_cast<decltype(path.effect_number)>(ReadEffect(v, at));
       }},
      Integer<Path>("speed", &Path::speed),
  };
  return table;
}

}  // namespace saver::tool
