#pragma once
// The full-screen window of run mode: the surface the show draws on, the owner of the background
// colour, and the place where input ends the show according to the exit rules.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "base/win/Window.h"
#include "scene/win/SceneThread.h"
#include "scene/win/ShowHost.h"
#include "ui/ExitInput.h"
#include "ui/win/ExitButtonHost.h"
#include "ui/win/MonitorCover.h"
#include "ui/win/PasswordGate.h"
#include "ui/win/RegistryProfile.h"

namespace saver::win {

// What the saver window shares with the application object.
struct SaverWindowContext {
  CRegistryProfile& profile;
  bool exit_button_flag;
  std::uint32_t& times;        // the calibration count, measured here once per machine
  std::string& link_to_open;   // opened when the process ends
};

class CSaverWnd : public CWindow, public CShowHost {
 public:
  explicit CSaverWnd(SaverWindowContext context);
  // Destroys a window still up while this object can still answer its last messages.
  ~CSaverWnd() override;

  // Creates the topmost pop-up over the whole primary screen and activates it, so that it holds the
  // keyboard focus also where no window manager gives it; every other monitor gets a cover.
  bool Create();
  // The show whose thread the window stops when it is destroyed; call before the show starts, so
  // that it paces its waits as the profile says.
  void AttachShow(CSceneThread* show);
  bool Mute() const { return mute_; }

  // CShowHost, called from the scene thread
  HWND Handle() const override { return CWindow::Handle(); }
  void Fill(COLORREF colour) override;
  void ShowExitButton() override;
  void ArmLink(std::string link, int key_mode) override;

  // While the show runs the window wakes its thread this often, so that what the scene thread draws
  // keeps reaching the screen under Wine (where drawing of other threads is flushed by the window's
  // own message loop); on Windows it costs nothing.
  static constexpr UINT kFlushTimerMs = 40;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void OnCreate();
  void Calibrate();
  void Apply(InputOutcome outcome);
  // Key down hands an armed link over first, under the lock the scene thread arms it with.
  InputOutcome KeyDown(std::uint32_t key);
  void OnClose();
  void OnDestroy();
  void EraseBackground(HDC dc) const;
  // A monitor added, removed or resized: the window stays on the primary screen, the covers follow.
  void OnDisplayChange();
  bool PasswordGateLetsClose() {
    return SaverWindowPasswordGate(Handle(), CPasswordStore(context_.profile.ApplicationKeyPath()),
                                   !context_.exit_button_flag);
  }

  SaverWindowContext context_;
  CExitInput exit_input_;
  std::mutex link_lock_;  // the link is armed by the scene thread and handed over on this one
  std::atomic<COLORREF> fill_colour_{RGB(0, 0, 0)};
  bool mute_ = false;
  CExitButtonHost exit_button_;
  CMonitorCover monitor_cover_{fill_colour_};
  CSceneThread* show_ = nullptr;
};

}  // namespace saver::win
