#include "ui/ExitInput.h"

#include <utility>

namespace saver {

namespace {
constexpr Point kNoMouseReference{-1, -1};
}

CExitInput::CExitInput(const CProfile& profile, bool exit_button_flag)
    : profile_(profile), exit_button_flag_(exit_button_flag) {}

bool CExitInput::RuleCloses(Setting rule) const {
  // A test run ends only on a key or on its "Exit" button.
  if (exit_button_flag_) return rule == Setting::KeyDown;
  return SettingIsOn(profile_, Setting::Standard) || SettingIsOn(profile_, rule);
}

InputOutcome CExitInput::MouseMove(Point position) {
  if (mouse_reference_ == kNoMouseReference) {
    mouse_reference_ = position;
    return {};
  }
  if (position == mouse_reference_) return {};
  return {RuleCloses(Setting::MouseMove), false};
}

InputOutcome CExitInput::ButtonDown() const { return {RuleCloses(Setting::ButtonDown), false}; }

InputOutcome CExitInput::DoubleClick() const { return {RuleCloses(Setting::DoubleClick), false}; }

InputOutcome CExitInput::KeyDown(std::uint32_t key) const {
  InputOutcome outcome{RuleCloses(Setting::KeyDown), KeyHandsOverLink(key)};
  if (!outcome.close && key == keys::kEscape) outcome.close = SettingIsOn(profile_, Setting::Escape);
  return outcome;
}

InputOutcome CExitInput::SystemKeyDown(std::uint32_t key) const {
  if (key == keys::kF4 || key == keys::kAlt) return {};
  return {RuleCloses(Setting::KeyDown), false};
}

void CExitInput::ArmLink(std::string link, LinkKeyMode mode) {
  pending_link_ = std::move(link);
  link_key_mode_ = mode;
}

bool CExitInput::KeyHandsOverLink(std::uint32_t key) const {
  switch (link_key_mode_) {
    case LinkKeyMode::Enter: return key == keys::kEnter;
    case LinkKeyMode::F12: return key == keys::kF12;
    case LinkKeyMode::Space: return key == keys::kSpace;
    case LinkKeyMode::AnyOfThree: return key == keys::kEnter || key == keys::kF12 || key == keys::kSpace;
    case LinkKeyMode::None: return false;
  }
  return false;
}

}  // namespace saver
