#pragma once
// The sequencer device of a show: plays one temporary MIDI file, and plays it again from the start
// after every successful end while looping. Ends are reported by MM_MCINOTIFY to the callback
// window (the saver window), which hands them to OnNotify.
#include <string>

#include "base/win/ScopedWin.h"
#include "media/win/MciDevice.h"

namespace saver::win {

class CMidiPlayer : public CMciDevice {
 public:
  CMidiPlayer();
  // Stops and closes the device and deletes the file.
  ~CMidiPlayer() override;

  // Opens `file_name` on the sequencer; the name is kept for the looping restart.
  MCIERROR Open(const wchar_t* file_name, bool shareable) override;
  using CMciDevice::Open;
  // Closes the device, once it has ever been opened; the result is not kept.
  MCIERROR Close() override;
  // Plays from the current position; the end is notified to the callback window.
  MCIERROR Play();
  MCIERROR Stop();

  // Handles MM_MCINOTIFY (`code` = wParam, `device` = lParam). False when the notification is not
  // this player's. A successful end restarts a looping file and sets the done event otherwise; a
  // failed play sets the done event; an aborted or superseded play does neither.
  bool OnNotify(WPARAM code, LPARAM device);

  void SetLoop(bool loop) { loop_ = loop; }
  HANDLE DoneEvent() const { return done_.Get(); }
  // The temporary file the player owns; deleted with the player or by DeleteFile.
  const std::wstring& FileName() const { return file_name_; }
  void DeleteFile();

 private:
  ScopedHandle done_;
  bool loop_ = false;
  bool opened_ = false;
  std::wstring file_name_;
};

}  // namespace saver::win
