#include "media/win/ScenePlayers.h"

#include <mmsystem.h>

#include <cstdint>

#include "media/MediaItem.h"
#include "media/win/FlashInstalled.h"
#include "media/win/MediaTempFile.h"

namespace saver::win {
namespace {

void StopAnySound() { PlaySoundW(nullptr, nullptr, 0); }


}  // namespace

CScenePlayers::CScenePlayers(MediaSettings settings, HANDLE stop_event, CUserMessages& messages)
    : settings_(settings),
      stop_event_(stop_event),
      messages_(messages),
      video_(std::make_unique<CVideoWnd>(messages)),
      flash_event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  // The sequencer reports to the video window, on the saver window's thread like the saver window.
  if (video_->Create(settings_.saver_window)) {
    video_->OnDeviceNotify([this](WPARAM code, LPARAM device) { midi_.OnNotify(code, device); });
    midi_.SetCallbackWindow(video_->Handle());
  } else {
    video_.reset();
  }
}

CScenePlayers::~CScenePlayers() {
  StopAnySound();  // its bytes go with the players
  if (video_) DeleteMediaFile(video_->FileName());
}

Size CScenePlayers::ScreenSize() const { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

bool CScenePlayers::Start(const CMediaItem& media, const MediaStart& start) {
  if (media.data.empty()) return false;
  switch (media.kind) {
    case kMediaWav: return StartWav(media, start);
    case kMediaAvi: return StartAvi(media, start);
    case kMediaMP3:
      return StartMP3(media, start);
    case kMediaMidi: return StartMidi(media, start);
    case kMediaFlash: return StartFlash(media, start);
    default: return false;
  }
}

bool CScenePlayers::StartWav(const CMediaItem& media, const MediaStart& start) {
  music_.Stop();
  if (settings_.mute) return false;
  StopAnySound();
  sound_ = media.data.PlainCopy();
  const auto* sound = reinterpret_cast<const wchar_t*>(sound_.data());
  if (start.wait) return PlaySoundW(sound, nullptr, SND_MEMORY | SND_NODEFAULT) != FALSE;
  const DWORD flags = SND_ASYNC | SND_NODEFAULT | SND_MEMORY | (start.loop ? SND_LOOP : 0);
  return PlaySoundW(sound, nullptr, flags) != FALSE;
}

bool CScenePlayers::StartMP3(const CMediaItem& media, const MediaStart& start) {
  if (settings_.mute) return false;
  StopAnySound();
  music_.Stop();  // before its bytes are replaced
  track_ = media.data.PlainCopy();
  music_.Play(track_.data(), track_.size(), start.wait, start.loop, stop_event_);
  return music_.HasTrack();
}

void CScenePlayers::SendVideo(WPARAM command, LPARAM argument) {
  if (video_) SendMessageW(video_->Handle(), WM_COMMAND, command, argument);
}

void CScenePlayers::StopVideoWindow() {
  SendVideo(CVideoWnd::kStop);
  SendVideo(CVideoWnd::kClose);
  if (video_) DeleteMediaFile(video_->FileName());
}

bool CScenePlayers::StartAvi(const CMediaItem& media, const MediaStart& start) {
  music_.Stop();
  StopVideoWindow();
  // Keys go to the saver window, whichever window had the focus before the video.
  SendVideo(CVideoWnd::kFocusParent);
  const std::wstring file_name = WriteMediaTempFile(media.data, L".avi", messages_);
  if (file_name.empty()) return false;
  if (start.wait) return PlayVideoBlocking(file_name, start);
  if (!video_) {
    std::wstring unplayed = file_name;
    DeleteMediaFile(unplayed);
    return false;
  }
  SendVideo(CVideoWnd::kOpen, reinterpret_cast<LPARAM>(file_name.c_str()));
  const std::int32_t position[2] = {start.rect.left, start.rect.top};
  SendVideo(CVideoWnd::kSetPosition, reinterpret_cast<LPARAM>(position));
  SendVideo(CVideoWnd::kPlay, 0);  // repeats endlessly, whatever the loop flag says
  return video_->Device() != CVideoWnd::kNoDevice;
}

bool CScenePlayers::PlayVideoBlocking(const std::wstring& file_name, const MediaStart& start) {
  // The window lives and dies on this thread; the show's stop reaches it through the stop event.
  CVideoPlayWnd window(settings_.mute);
  const bool played = window.PlayBlocking(start.loop, start.rect.left, start.rect.top, settings_.saver_window,
                                          file_name, stop_event_);
  window.Finish();
  return played;
}

bool CScenePlayers::StartMidi(const CMediaItem& media, const MediaStart& start) {
  midi_.Stop();
  midi_.Close();
  midi_.DeleteFile();
  const std::wstring file_name = WriteMediaTempFile(media.data, L".mid", messages_);
  if (file_name.empty()) return false;
  midi_.SetLoop(start.loop);
  if (start.wait) ResetEvent(midi_.DoneEvent());
  bool played = midi_.Open(file_name.c_str(), false) == 0 && midi_.Play() == 0;
  if (!played) {
    // A sequencer that cannot play sends no end; the file is no longer needed.
    midi_.Close();
    midi_.DeleteFile();
    return false;
  }
  if (start.wait) {
    WaitForMidiEnd();
    midi_.Close();
    midi_.DeleteFile();
  }
  return played;
}

// Sleeps until the play has ended (its done event) or the show is told to stop.
void CScenePlayers::WaitForMidiEnd() {
  const HANDLE events[] = {midi_.DoneEvent(), stop_event_};
  WaitForMultipleObjects(2, events, FALSE, INFINITE);
}

// Flash movies play with their sound whatever the mute setting; without the control they are skipped.
bool CScenePlayers::StartFlash(const CMediaItem& media, const MediaStart& start) {
  if (!FlashInstalled()) return false;
  std::wstring file_name = WriteMediaTempFile(media.data, L".swf", messages_);
  if (file_name.empty()) return false;
  StopFlash();
  auto movie = std::make_unique<CFlashPlayerThread>(settings_.saver_window, flash_event_.Get(), start.flash_time_limit,
                                                    settings_.exit_button_flag);
  movie->rect = {start.rect.left, start.rect.top, start.rect.right, start.rect.bottom};
  movie->loop = start.loop;
  movie->file_name = file_name;
  SetEvent(flash_event_.Get());
  if (!movie->Start()) {
    ResetEvent(flash_event_.Get());
    DeleteMediaFile(file_name);
    return false;
  }
  flash_ = std::move(movie);
  // The movie's thread ends when the movie does; its file goes with it.
  if (start.wait) {
    const HANDLE ends[] = {flash_->ThreadHandle(), stop_event_};
    WaitForMultipleObjects(2, ends, FALSE, INFINITE);
  }
  return true;
}

void CScenePlayers::StopFlash() { flash_.reset(); }

void CScenePlayers::Stop(const CMediaItem& media) {
  switch (media.kind) {
    case kMediaWav: StopAnySound(); break;
    case kMediaAvi: StopVideoWindow(); break;
    case kMediaMP3:
      music_.Stop();
      break;
    case kMediaFlash: StopFlash(); break;
    case kMediaMidi:
      midi_.Stop();
      midi_.Close();
      midi_.DeleteFile();
      break;
    default: break;
  }
}

void CScenePlayers::ReleaseAll() {
  music_.Stop();
  StopAnySound();
  StopVideoWindow();
  if (video_) SendMessageW(video_->Handle(), WM_CLOSE, 0, 0);
  StopFlash();
  midi_.Stop();
  midi_.Close();
  midi_.DeleteFile();
}

void CScenePlayers::Interrupt() {
  music_.Interrupt();
  StopAnySound();
}

}  // namespace saver::win
