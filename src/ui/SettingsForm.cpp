#include "ui/SettingsForm.h"

#include <algorithm>

namespace saver {

SettingsForm SettingsForm::Load(const CProfile& profile) {
  SettingsForm form;
  form.standard = ReadSetting(profile, Setting::Standard) == 1;
  for (std::size_t i = 0; i < kExitRuleSettings.size(); ++i)
    form.rules[i] = ReadSetting(profile, kExitRuleSettings[i]) != 0;
  form.mute = ReadSetting(profile, Setting::Mute) != 0;
  return form;
}

void SettingsForm::Save(CProfile& profile) const {
  const bool any_rule = std::any_of(rules.begin(), rules.end(), [](bool on) { return on; });
  const bool save_standard = standard || !any_rule;
  WriteSetting(profile, Setting::Standard, save_standard ? 1 : 0);
  for (std::size_t i = 0; i < kExitRuleSettings.size(); ++i)
    WriteSetting(profile, kExitRuleSettings[i], !save_standard && rules[i] ? 1 : 0);
  WriteSetting(profile, Setting::Mute, mute ? 1 : 0);
}

}  // namespace saver
