#include "media/win/MidiPlayer.h"

#include "media/win/MciFileName.h"
#include "media/win/MediaTempFile.h"

namespace saver::win {

CMidiPlayer::CMidiPlayer() : done_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

CMidiPlayer::~CMidiPlayer() {
  Stop();
  Close();
  DeleteFile();
}

MCIERROR CMidiPlayer::Open(const wchar_t* file_name, bool shareable) {
  file_name_ = file_name;
  const std::wstring element = MciFileName(file_name_);
  MCI_OPEN_PARMSW open{};
  open.dwCallback = CallbackParameter();
  open.lpstrDeviceType = reinterpret_cast<LPCWSTR>(static_cast<UINT_PTR>(MCI_DEVTYPE_SEQUENCER));
  open.lpstrElementName = element.c_str();
  const DWORD flags =
      MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT | MCI_WAIT | (shareable ? MCI_OPEN_SHAREABLE : 0);
  const MCIERROR result = SendTo(0, MCI_OPEN, flags, &open);
  if (result == 0) {
    KeepDevice(open.wDeviceID);
    opened_ = true;
  }
  return result;
}

MCIERROR CMidiPlayer::Close() {
  if (!opened_) return 0;
  MCI_GENERIC_PARMS close{CallbackParameter()};
  const MCIERROR result = mciSendCommandW(DeviceId(), MCI_CLOSE, 0, reinterpret_cast<DWORD_PTR>(&close));
  // A closed device id may be handed to the next device opened; it must not be taken for ours.
  KeepDevice(0);
  opened_ = false;
  return result;
}

MCIERROR CMidiPlayer::Play() {
  MCI_PLAY_PARMS play{};
  play.dwCallback = CallbackParameter();
  return Send(MCI_PLAY, MCI_NOTIFY, &play);
}

MCIERROR CMidiPlayer::Stop() {
  MCI_GENERIC_PARMS stop{CallbackParameter()};
  return Send(MCI_STOP, 0, &stop);
}

bool CMidiPlayer::OnNotify(WPARAM code, LPARAM device) {
  if (DeviceId() == 0 || static_cast<MCIDEVICEID>(device) != DeviceId()) return false;
  // A device that cannot play (no MIDI output) fails after the play was accepted; that ends the
  // play as surely as its end does, but nothing is restarted.
  if (code == MCI_NOTIFY_FAILURE) {
    SetEvent(done_.Get());
    return true;
  }
  if (code != MCI_NOTIFY_SUCCESSFUL) return true;  // stopped or superseded
  if (loop_) {
    const std::wstring name = file_name_;
    Close();
    if (Open(name.c_str(), false) == 0) Play();
  } else {
    SetEvent(done_.Get());
  }
  return true;
}

void CMidiPlayer::DeleteFile() { DeleteMediaFile(file_name_); }

}  // namespace saver::win
