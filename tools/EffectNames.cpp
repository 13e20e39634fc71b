#include "EffectNames.h"

#include <algorithm>
#include <array>

#include "effects/EffectTable.h"

namespace saver::tool {
namespace {

// The effects below the first transition, which draw the picture without one.
constexpr std::array<const char*, kFirstEffect> kDrawingModes = {"own_size", "tiled", "stretched",
                                                                  "random_transition"};

std::optional<std::int64_t> FindEffectName(const std::string& name) {
  for (std::size_t number = 0; number < kDrawingModes.size(); ++number) {
    if (name == kDrawingModes[number]) return static_cast<std::int64_t>(number);
  }
  for (const EffectEntry& effect : EffectCatalogue()) {
    if (name == effect.name) return effect.number;
  }
  return std::nullopt;
}

}  // namespace

std::int64_t ReadEffect(const Json& value, const CSceneSite& at) {
  if (value.is_number()) return ReadInteger(value, at, 0, kLastEffect);
  if (value.is_string()) {
    if (const std::optional<std::int64_t> number = FindEffectName(value.get<std::string>())) return *number;
  }
  at.Fail("unknown effect " + value.dump() + " (valid: an integer from 0 to " + std::to_string(kLastEffect) +
          ", \"own_size\", \"tiled\", \"stretched\", \"random_transition\" or a transition's name such as \"" +
          std::string(EffectCatalogue().front().name) + "\"; saverpkg effects lists them all)");
}

std::optional<std::int64_t> FindEffect(const std::string& name_or_number) {
  if (!name_or_number.empty() && name_or_number.size() <= 2 &&
      std::all_of(name_or_number.begin(), name_or_number.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    const std::int64_t number = std::stoll(name_or_number);
    return number <= kLastEffect ? std::optional<std::int64_t>(number) : std::nullopt;
  }
  return FindEffectName(name_or_number);
}

std::string EffectList() {
  std::string list;
  for (std::size_t number = 0; number < kDrawingModes.size(); ++number) {
    list += std::to_string(number) + "  " + kDrawingModes[number] + "\n";
  }
  for (const EffectEntry& effect : EffectCatalogue()) {
    list += std::to_string(effect.number) + "  " + std::string(effect.name) + "\n";
  }
  return list;
}

}  // namespace saver::tool
