#pragma once
#include <array>

#include "ui/SettingsTable.h"

namespace saver {

// The state of the settings dialog apart from its controls: what initialisation shows, what the
// radio buttons enable, what OK stores.
struct SettingsForm {
  bool standard = true;
  std::array<bool, kExitRuleSettings.size()> rules{};  // MouseMove, ButtonDown, DoubleClick, KeyDown, Escape
  bool mute = false;

  // Standard is selected only when the stored value is exactly 1; the boxes show their stored
  // values whatever the selection.
  static SettingsForm Load(const CProfile& profile);
  // The rule boxes are enabled only under custom settings; their check marks are kept either way.
  bool RulesEnabled() const { return !standard; }
  // Custom settings without any rule fall back to the standard ones; standard settings clear every
  // rule, so that custom settings start again from clear boxes.
  void Save(CProfile& profile) const;
};

}  // namespace saver
