#include "ui/SettingsTable.h"

namespace saver {

const SettingDeclaration& Declaration(Setting setting) { return kSettings[static_cast<std::size_t>(setting)]; }

int ReadSetting(const CProfile& profile, Setting setting) {
  const SettingDeclaration& declaration = Declaration(setting);
  return profile.GetInt(kSettingsSection, declaration.name, declaration.default_value);
}

void WriteSetting(CProfile& profile, Setting setting, int value) {
  profile.WriteInt(kSettingsSection, Declaration(setting).name, value);
}

bool SettingIsOn(const CProfile& profile, Setting setting) { return ReadSetting(profile, setting) == 1; }

}  // namespace saver
