#pragma once
#include <cstdint>
#include <string>

#include "imaging/Rect.h"
#include "ui/SettingsTable.h"

namespace saver {

// Virtual-key codes the saver window looks at (the values of the Win32 VK_ constants).
namespace keys {
inline constexpr std::uint32_t kEnter = 0x0D;
inline constexpr std::uint32_t kAlt = 0x12;
inline constexpr std::uint32_t kEscape = 0x1B;
inline constexpr std::uint32_t kSpace = 0x20;
inline constexpr std::uint32_t kF4 = 0x73;
inline constexpr std::uint32_t kF12 = 0x7B;
}  // namespace keys

// Which key hands an armed link over to the application.
enum class LinkKeyMode : int { None = -1, Enter = 0, F12 = 1, Space = 2, AnyOfThree = 3 };

// What the saver window does with one input message.
struct InputOutcome {
  bool close = false;         // post the close request
  bool hand_over_link = false;  // copy the pending link into the application's link to open
};

// The exit rules of the saver window, apart from the window itself. The profile is read again for
// each input, so a setting changed while a show runs takes effect at once.
class CExitInput {
 public:
  CExitInput(const CProfile& profile, bool exit_button_flag);

  // The first move only sets the reference; later moves count when the position differs from it.
  InputOutcome MouseMove(Point position);
  InputOutcome ButtonDown() const;
  InputOutcome DoubleClick() const;
  InputOutcome KeyDown(std::uint32_t key) const;
  // Alt+F4 never reaches the rules, and neither does the press of Alt that begins it (else Alt+F4
  // would end every show that ends on keys); any other key held with Alt counts as a key.
  InputOutcome SystemKeyDown(std::uint32_t key) const;

  // After a refused close the mouse has to move away from where it is now.
  void ResetMouseReference(Point position) { mouse_reference_ = position; }

  void ArmLink(std::string link, LinkKeyMode mode);
  void ClearLink() { ArmLink({}, LinkKeyMode::None); }
  const std::string& PendingLink() const { return pending_link_; }

 private:
  bool RuleCloses(Setting rule) const;
  bool KeyHandsOverLink(std::uint32_t key) const;

  const CProfile& profile_;
  bool exit_button_flag_;
  Point mouse_reference_{-1, -1};
  std::string pending_link_;
  LinkKeyMode link_key_mode_ = LinkKeyMode::None;
};

}  // namespace saver
