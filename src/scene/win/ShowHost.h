#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace saver::win {

// What the scene thread needs of the window it plays on. The saver window implements it; every
// member may be called from the scene thread.
class CShowHost {
 public:
  virtual ~CShowHost() = default;
  virtual HWND Handle() const = 0;
  // New background colour (0x00BBGGRR), painted at once by the window's own thread.
  virtual void Fill(COLORREF colour) = 0;
  // Shows the "Exit" button of a test run; nothing in a normal run.
  virtual void ShowExitButton() = 0;
  virtual void ArmLink(std::string link, int key_mode) = 0;
};

}  // namespace saver::win
