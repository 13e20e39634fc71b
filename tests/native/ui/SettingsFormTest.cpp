#include "ui/SettingsForm.h"

#include <gtest/gtest.h>

#include <map>

#include "MemoryProfile.h"

namespace saver {
namespace {

using testing_support::MemoryProfile;

TEST(SettingsTableTest, NamesIdsAndDefaults) {
  struct Expected {
    Setting setting;
    const char* name;
    int string_id;
    int default_value;
  };
  const Expected expected[] = {
      {Setting::Standard, "Standard", 33007, 1},    {Setting::MouseMove, "MouseMove", 33008, 0},
      {Setting::ButtonDown, "ButtonDown", 33009, 0}, {Setting::DoubleClick, "DoubleClick", 33010, 0},
      {Setting::KeyDown, "KeyDown", 33011, 0},      {Setting::Escape, "Escape", 33012, 0},
      {Setting::Mute, "Mute", 33013, 0},
  };
  for (const Expected& e : expected) {
    const SettingDeclaration& d = Declaration(e.setting);
    EXPECT_STREQ(d.name, e.name);
    EXPECT_EQ(d.string_id, e.string_id);
    EXPECT_EQ(d.default_value, e.default_value);
  }
  EXPECT_STREQ(kSettingsSection, "Settings");
}

TEST(SettingsFormTest, FreshUserSeesStandardWithClearDisabledBoxes) {
  const SettingsForm form = SettingsForm::Load(MemoryProfile{});
  EXPECT_TRUE(form.standard);
  EXPECT_FALSE(form.RulesEnabled());
  for (bool rule : form.rules) EXPECT_FALSE(rule);
  EXPECT_FALSE(form.mute);
}

TEST(SettingsFormTest, LoadShowsStoredBoxesWhateverTheSelection) {
  struct Case {
    int standard;
    bool expect_standard;
  };
  for (const Case& c : {Case{1, true}, Case{0, false}, Case{2, false}}) {
    MemoryProfile profile;
    WriteSetting(profile, Setting::Standard, c.standard);
    WriteSetting(profile, Setting::DoubleClick, 1);
    WriteSetting(profile, Setting::Escape, 1);
    WriteSetting(profile, Setting::Mute, 1);
    const SettingsForm form = SettingsForm::Load(profile);
    EXPECT_EQ(form.standard, c.expect_standard) << c.standard;
    EXPECT_EQ(form.RulesEnabled(), !c.expect_standard);
    EXPECT_EQ(form.rules, (std::array<bool, 5>{false, false, true, false, true}));
    EXPECT_TRUE(form.mute);
  }
}

struct SaveCase {
  const char* name;
  SettingsForm form;
  std::map<Setting, int> stored;
};

TEST(SettingsFormTest, SaveWritesEveryValue) {
  const SaveCase cases[] = {
      {"custom without rules falls back to standard",
       {false, {}, false},
       {{Setting::Standard, 1}, {Setting::MouseMove, 0}, {Setting::ButtonDown, 0},
        {Setting::DoubleClick, 0}, {Setting::KeyDown, 0}, {Setting::Escape, 0}, {Setting::Mute, 0}}},
      {"custom with only Escape",
       {false, {false, false, false, false, true}, false},
       {{Setting::Standard, 0}, {Setting::MouseMove, 0}, {Setting::ButtonDown, 0},
        {Setting::DoubleClick, 0}, {Setting::KeyDown, 0}, {Setting::Escape, 1}, {Setting::Mute, 0}}},
      {"standard clears the kept check marks",
       {true, {true, true, false, true, false}, true},
       {{Setting::Standard, 1}, {Setting::MouseMove, 0}, {Setting::ButtonDown, 0},
        {Setting::DoubleClick, 0}, {Setting::KeyDown, 0}, {Setting::Escape, 0}, {Setting::Mute, 1}}},
      {"custom with mouse rules and mute",
       {false, {true, true, true, false, false}, true},
       {{Setting::Standard, 0}, {Setting::MouseMove, 1}, {Setting::ButtonDown, 1},
        {Setting::DoubleClick, 1}, {Setting::KeyDown, 0}, {Setting::Escape, 0}, {Setting::Mute, 1}}},
  };
  for (const SaveCase& c : cases) {
    MemoryProfile profile;
    c.form.Save(profile);
    std::map<MemoryProfile::Key, int> expected;
    for (const auto& [setting, value] : c.stored) expected[{"Settings", Declaration(setting).name}] = value;
    EXPECT_EQ(profile.Values(), expected) << c.name;
  }
}

TEST(SettingsFormTest, SavedCustomSettingsLoadBackTheSame) {
  MemoryProfile profile;
  const SettingsForm saved{false, {false, true, false, true, false}, true};
  saved.Save(profile);
  const SettingsForm loaded = SettingsForm::Load(profile);
  EXPECT_EQ(loaded.standard, saved.standard);
  EXPECT_EQ(loaded.rules, saved.rules);
  EXPECT_EQ(loaded.mute, saved.mute);
}

}  // namespace
}  // namespace saver
