#pragma once
#include <array>
#include <cstddef>

#include "res/resource.h"
#include "ui/Profile.h"
#include "ui/ProfileNames.h"

namespace saver {

// The exit settings, the mute flag and the pacing choice, each declared once: value name, string
// id, default. The settings dialog, the exit rules, the show and the tests all read this table.
enum class Setting : std::size_t { Standard, MouseMove, ButtonDown, DoubleClick, KeyDown, Escape, Mute, LowPowerPacing };

struct SettingDeclaration {
  Setting setting;
  const char* name;
  int string_id;
  int default_value;
};

// Settings added after the classic string table carry no string of their own.
inline constexpr int kNoStringId = 0;

inline constexpr const char* kSettingsSection = SAVER_PROFILE_SECTION;
inline constexpr std::array<SettingDeclaration, 8> kSettings = {{
    {Setting::Standard, SAVER_PROFILE_STANDARD, IDS_STANDARD, 1},
    {Setting::MouseMove, SAVER_PROFILE_MOUSE_MOVE, IDS_MOUSE_MOVE, 0},
    {Setting::ButtonDown, SAVER_PROFILE_BUTTON_DOWN, IDS_BUTTON_DOWN, 0},
    {Setting::DoubleClick, SAVER_PROFILE_DOUBLE_CLICK, IDS_DOUBLE_CLICK, 0},
    {Setting::KeyDown, SAVER_PROFILE_KEY_DOWN, IDS_KEY_DOWN, 0},
    {Setting::Escape, SAVER_PROFILE_ESCAPE, IDS_ESCAPE, 0},
    {Setting::Mute, SAVER_PROFILE_MUTE, IDS_MUTE, 0},
    // 1: paced waits sleep on a timer instead of polling (same lengths); 0 polls, as always.
    {Setting::LowPowerPacing, SAVER_PROFILE_LOW_POWER_PACING, kNoStringId, 0},
}};
// Declaration() indexes the table by the enum.
static_assert([] {
  for (std::size_t i = 0; i < kSettings.size(); ++i)
    if (static_cast<std::size_t>(kSettings[i].setting) != i) return false;
  return true;
}());

// The five rules the user may choose in custom mode, in dialog order (control id 1006 + position).
inline constexpr std::array<Setting, 5> kExitRuleSettings = {
    Setting::MouseMove, Setting::ButtonDown, Setting::DoubleClick, Setting::KeyDown, Setting::Escape};

const SettingDeclaration& Declaration(Setting setting);
// The stored value, or the declared default when none is stored.
int ReadSetting(const CProfile& profile, Setting setting);
void WriteSetting(CProfile& profile, Setting setting, int value);
// A setting counts as on only when it equals 1; 2 or -1 behave like 0.
bool SettingIsOn(const CProfile& profile, Setting setting);

}  // namespace saver
