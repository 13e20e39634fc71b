#pragma once
// The players of one show, owned by its scene thread: WAV through the system sound player, MP3
// through CMP3Music, video through the video windows, MIDI through the sequencer, Flash movies
// through a movie thread each. Media items
// start and stop them by media kind; at the end of the show they are released in a fixed order.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "media/win/FlashPlayerThread.h"
#include "media/win/MP3Music.h"
#include "media/win/MidiPlayer.h"
#include "media/win/VideoPlayWnd.h"
#include "media/win/VideoWnd.h"
#include "scene/MediaPlayers.h"

namespace saver {
class CUserMessages;
}

namespace saver::win {

struct MediaSettings {
  HWND saver_window = nullptr;  // parent of the video windows
  bool mute = false;            // no WAV and no MP3; the muted blocking video plays without sound
  bool exit_button_flag = false;
};

class CScenePlayers final : public CMediaPlayers {
 public:
  // Made on the saver window's thread, which the video window belongs to. `stop_event` is the scene
  // thread's: the MIDI and Flash waits end when it is set.
  CScenePlayers(MediaSettings settings, HANDLE stop_event, CUserMessages& messages);
  ~CScenePlayers() override;
  CScenePlayers(const CScenePlayers&) = delete;
  CScenePlayers& operator=(const CScenePlayers&) = delete;

  // CMediaPlayers, on the scene thread
  Size ScreenSize() const override;
  bool ExitButtonFlag() const override { return settings_.exit_button_flag; }
  bool Start(const CMediaItem& media, const MediaStart& start) override;
  void Stop(const CMediaItem& media) override;

  // The end of the show, on the scene thread: music, video window, Flash movie, MIDI, in that order.
  void ReleaseAll() override;
  // On the thread that ends the show, while it waits for the scene thread: silences the music and
  // cuts short a blocking sound, which would otherwise hold the scene thread (a looping one for
  // ever). A sound that had not yet begun is missed, so the caller repeats this until the scene
  // thread has ended. Everything else (the music's thread, the video windows, the movie, the
  // sequencer) stays the scene thread's: its waits end on the stop event and it releases them.
  void Interrupt() override;

  CMidiPlayer& Midi() { return midi_; }
  CMP3Music& Music() { return music_; }
  HWND VideoWindow() const { return video_ ? video_->Handle() : nullptr; }
  // Set while a movie thread lives.
  HANDLE FlashEvent() const { return flash_event_.Get(); }
  const CVideoWnd* Video() const { return video_.get(); }

 private:
  bool StartWav(const CMediaItem& media, const MediaStart& start);
  bool StartAvi(const CMediaItem& media, const MediaStart& start);
  bool StartMP3(const CMediaItem& media, const MediaStart& start);
  bool StartMidi(const CMediaItem& media, const MediaStart& start);
  bool StartFlash(const CMediaItem& media, const MediaStart& start);
  // Ends the movie thread, if any, and waits until it has gone.
  void StopFlash();
  void WaitForMidiEnd();
  bool PlayVideoBlocking(const std::wstring& file_name, const MediaStart& start);
  void SendVideo(WPARAM command, LPARAM argument = 0);
  void StopVideoWindow();

  MediaSettings settings_;
  HANDLE stop_event_;
  CUserMessages& messages_;
  // The plain bytes of the sound and of the MP3 track that play from memory, kept while they play.
  std::vector<std::uint8_t> sound_;
  std::vector<std::uint8_t> track_;
  CMP3Music music_;
  CMidiPlayer midi_;
  std::unique_ptr<CVideoWnd> video_;
  ScopedHandle flash_event_;
  std::unique_ptr<CFlashPlayerThread> flash_;
};

}  // namespace saver::win
