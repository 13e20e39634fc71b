#include "ui/ExitInput.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "MemoryProfile.h"

namespace saver {
namespace {

using testing_support::MemoryProfile;

enum class Input { Move, Button, DoubleClick, Key, Escape, AltKey, AltF4, AltAlone };

MemoryProfile ProfileWith(const std::map<Setting, int>& values) {
  MemoryProfile profile;
  for (const auto& [setting, value] : values) WriteSetting(profile, setting, value);
  return profile;
}

// Feeds one input to a fresh window state whose mouse reference is already set.
bool Closes(const CProfile& profile, bool exit_button_flag, Input input) {
  CExitInput exit_input(profile, exit_button_flag);
  exit_input.MouseMove({10, 10});
  switch (input) {
    case Input::Move: return exit_input.MouseMove({11, 10}).close;
    case Input::Button: return exit_input.ButtonDown().close;
    case Input::DoubleClick: return exit_input.DoubleClick().close;
    case Input::Key: return exit_input.KeyDown('A').close;
    case Input::Escape: return exit_input.KeyDown(keys::kEscape).close;
    case Input::AltKey: return exit_input.SystemKeyDown('X').close;
    case Input::AltF4: return exit_input.SystemKeyDown(keys::kF4).close;
    case Input::AltAlone: return exit_input.SystemKeyDown(keys::kAlt).close;
  }
  return false;
}

struct RuleCase {
  const char* name;
  std::map<Setting, int> stored;
  bool exit_button_flag;
  // Expected close for Move, Button, DoubleClick, Key, Escape, AltKey, AltF4, AltAlone.
  std::array<bool, 8> closes;
};

const RuleCase kRuleCases[] = {
    {"nothing stored: standard rules", {}, false, {true, true, true, true, true, true, false, false}},
    {"standard 1 overrides cleared rules", {{Setting::Standard, 1}}, false,
     {true, true, true, true, true, true, false, false}},
    {"custom with no rule", {{Setting::Standard, 0}}, false,
     {false, false, false, false, false, false, false, false}},
    {"only Escape", {{Setting::Standard, 0}, {Setting::Escape, 1}}, false,
     {false, false, false, false, true, false, false, false}},
    {"only mouse move", {{Setting::Standard, 0}, {Setting::MouseMove, 1}}, false,
     {true, false, false, false, false, false, false, false}},
    {"only button", {{Setting::Standard, 0}, {Setting::ButtonDown, 1}}, false,
     {false, true, false, false, false, false, false, false}},
    {"only double click", {{Setting::Standard, 0}, {Setting::DoubleClick, 1}}, false,
     {false, false, true, false, false, false, false, false}},
    {"only keys: Escape is a key too", {{Setting::Standard, 0}, {Setting::KeyDown, 1}}, false,
     {false, false, false, true, true, true, false, false}},
    {"standard 2 behaves like 0", {{Setting::Standard, 2}, {Setting::ButtonDown, 1}}, false,
     {false, true, false, false, false, false, false, false}},
    {"a rule of 2 is off", {{Setting::Standard, 0}, {Setting::MouseMove, 2}, {Setting::KeyDown, -1}}, false,
     {false, false, false, false, false, false, false, false}},
    {"test run: keys only", {}, true, {false, false, false, true, true, true, false, false}},
    {"test run ignores custom mouse rules",
     {{Setting::Standard, 0}, {Setting::MouseMove, 1}, {Setting::ButtonDown, 1}, {Setting::DoubleClick, 1}},
     true, {false, false, false, true, true, true, false, false}},
};

TEST(ExitInputTest, RulesDecideWhichInputCloses) {
  const Input inputs[] = {Input::Move,   Input::Button, Input::DoubleClick, Input::Key,
                          Input::Escape, Input::AltKey, Input::AltF4, Input::AltAlone};
  for (const RuleCase& c : kRuleCases) {
    const MemoryProfile profile = ProfileWith(c.stored);
    for (std::size_t i = 0; i < std::size(inputs); ++i)
      EXPECT_EQ(Closes(profile, c.exit_button_flag, inputs[i]), c.closes[i]) << c.name << ", input " << i;
  }
}

TEST(ExitInputTest, FirstMoveOnlySetsTheReferenceAndTheSamePositionDoesNotCount) {
  const MemoryProfile profile;  // standard rules: any real move closes
  CExitInput exit_input(profile, false);
  EXPECT_FALSE(exit_input.MouseMove({300, 200}).close);
  EXPECT_FALSE(exit_input.MouseMove({300, 200}).close);
  EXPECT_TRUE(exit_input.MouseMove({301, 200}).close);
}

TEST(ExitInputTest, AResetReferenceNeedsTheMouseToMoveAgain) {
  const MemoryProfile profile;
  CExitInput exit_input(profile, false);
  exit_input.MouseMove({0, 0});
  exit_input.ResetMouseReference({40, 50});
  EXPECT_FALSE(exit_input.MouseMove({40, 50}).close);
  EXPECT_TRUE(exit_input.MouseMove({0, 0}).close);
}

TEST(ExitInputTest, ReadsTheProfileAgainForEachInput) {
  MemoryProfile profile = ProfileWith({{Setting::Standard, 0}});
  CExitInput exit_input(profile, false);
  EXPECT_FALSE(exit_input.ButtonDown().close);
  WriteSetting(profile, Setting::ButtonDown, 1);
  EXPECT_TRUE(exit_input.ButtonDown().close);
}

struct LinkCase {
  LinkKeyMode mode;
  std::uint32_t key;
  bool hands_over;
};

TEST(ExitInputTest, LinkKeyHandsTheLinkOverWhatEverTheRules) {
  const LinkCase cases[] = {
      {LinkKeyMode::Enter, keys::kEnter, true},     {LinkKeyMode::Enter, keys::kF12, false},
      {LinkKeyMode::F12, keys::kF12, true},         {LinkKeyMode::F12, keys::kSpace, false},
      {LinkKeyMode::Space, keys::kSpace, true},     {LinkKeyMode::Space, keys::kEnter, false},
      {LinkKeyMode::AnyOfThree, keys::kEnter, true}, {LinkKeyMode::AnyOfThree, keys::kF12, true},
      {LinkKeyMode::AnyOfThree, keys::kSpace, true}, {LinkKeyMode::AnyOfThree, 'A', false},
      {LinkKeyMode::None, keys::kEnter, false},
  };
  const MemoryProfile closes_on_keys;
  const MemoryProfile keeps_running = ProfileWith({{Setting::Standard, 0}});
  for (const CProfile* profile :
       {static_cast<const CProfile*>(&closes_on_keys), static_cast<const CProfile*>(&keeps_running)}) {
    for (const LinkCase& c : cases) {
      CExitInput exit_input(*profile, false);
      exit_input.ArmLink("http://example.invalid/", c.mode);
      const InputOutcome outcome = exit_input.KeyDown(c.key);
      EXPECT_EQ(outcome.hand_over_link, c.hands_over) << static_cast<int>(c.mode) << " key " << c.key;
      EXPECT_EQ(outcome.close, profile == &closes_on_keys);
    }
  }
}

TEST(ExitInputTest, ClearedLinkIsNotHandedOver) {
  const MemoryProfile profile;
  CExitInput exit_input(profile, false);
  exit_input.ArmLink("http://example.invalid/", LinkKeyMode::F12);
  exit_input.ClearLink();
  EXPECT_FALSE(exit_input.KeyDown(keys::kF12).hand_over_link);
  EXPECT_EQ(exit_input.PendingLink(), "");
}

}  // namespace
}  // namespace saver
