#include "media/win/MP3Player.h"

#include <algorithm>

#include "media/win/WaveFormats.h"

namespace saver::win {

CMP3Player::CMP3Player(const MP3Events& events)
    : buffer_done_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), events_(events) {}

bool CMP3Player::Pass(const std::uint8_t* data, std::size_t size) {
  end_of_data_ = false;
  buffer_index_ = 0;
  buffers_in_flight_ = 0;
  if (!conversion_.Prepare(data, size, destination_, source_)) return false;
  if (!OpenWaveDevice()) {
    conversion_.Close();
    return false;
  }
  if (!QueueBuffer()) {
    Finish();
    return false;
  }
  SetEvent(events_.started);
  for (;;) {
    // Both buffers are refilled when both came back before this thread woke, so the device
    // never drops to one buffer for the rest of the track.
    while (!end_of_data_ && buffers_in_flight_ < 2) {
      if (!QueueBuffer()) {
        Finish();
        return false;
      }
    }
    WaitForBufferOrStop();
    // The count, not the event, says how many buffers came back.
    if (StopRequested()) break;
    if (buffers_in_flight_ > 0 || !end_of_data_) continue;
    break;
  }
  if (!Finish()) return false;
  SetEvent(events_.done);
  return true;
}

void CALLBACK CMP3Player::WaveCallback(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR) {
  // Runs on a system thread, where the device forbids calling back into waveOut.
  if (message != WOM_DONE) return;
  auto* player = reinterpret_cast<CMP3Player*>(instance);
  --player->buffers_in_flight_;
  SetEvent(player->buffer_done_.Get());
}

bool CMP3Player::OpenWaveDevice() {
  const WAVEFORMATEX format = ToWaveFormatEx(destination_);
  HWAVEOUT wave = nullptr;
  if (waveOutOpen(&wave, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(&WaveCallback),
                  reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
    return false;
  }
  wave_.Reset(wave);
  for (int i = 0; i < 2; ++i) {
    buffers_[i].assign(conversion_.DestinationSize(), 0);
    headers_[i] = WAVEHDR{};
  }
  return true;
}

bool CMP3Player::QueueBuffer() {
  WAVEHDR& header = headers_[buffer_index_];
  if ((header.dwFlags & WHDR_PREPARED) &&
      waveOutUnprepareHeader(wave_.Get(), &header, sizeof header) != MMSYSERR_NOERROR) {
    return false;
  }
  const auto pcm = conversion_.ConvertNext();
  if (!pcm) return false;
  end_of_data_ = conversion_.AtEnd();
  std::vector<std::uint8_t>& buffer = buffers_[buffer_index_];
  std::copy(pcm->begin(), pcm->end(), buffer.begin());
  header = WAVEHDR{};
  header.lpData = reinterpret_cast<LPSTR>(buffer.data());
  header.dwBufferLength = static_cast<DWORD>(pcm->size());
  if (waveOutPrepareHeader(wave_.Get(), &header, sizeof header) != MMSYSERR_NOERROR ||
      waveOutWrite(wave_.Get(), &header, sizeof header) != MMSYSERR_NOERROR) {
    return false;
  }
  // Counted after the write: the callback may already have taken it off, which makes the count
  // dip below zero for a moment and is harmless.
  ++buffers_in_flight_;
  buffer_index_ = 1 - buffer_index_;
  return true;
}

bool CMP3Player::CloseWaveDevice() {
  if (!wave_) return true;
  waveOutReset(wave_.Get());
  for (int i = 0; i < 2; ++i) {
    if ((headers_[i].dwFlags & WHDR_PREPARED) &&
        waveOutUnprepareHeader(wave_.Get(), &headers_[i], sizeof headers_[i]) != MMSYSERR_NOERROR) {
      return false;
    }
    buffers_[i] = {};
  }
  const bool closed = waveOutClose(wave_.Get()) == MMSYSERR_NOERROR;
  if (closed) wave_.Release();
  return closed;
}

bool CMP3Player::StopRequested() const { return WaitForSingleObject(events_.stop, 0) == WAIT_OBJECT_0; }

void CMP3Player::WaitForBufferOrStop() {
  const HANDLE events[] = {buffer_done_.Get(), events_.stop};
  WaitForMultipleObjects(2, events, FALSE, INFINITE);
  ResetEvent(buffer_done_.Get());
}

bool CMP3Player::Finish() {
  conversion_.Close();
  return CloseWaveDevice();
}

bool WaveDevicePresent() {
  WAVEFORMATEX probe{};
  probe.wFormatTag = WAVE_FORMAT_PCM;
  probe.nChannels = 2;
  probe.nSamplesPerSec = 22050;
  probe.nAvgBytesPerSec = 44100;
  probe.nBlockAlign = 2;
  probe.wBitsPerSample = 8;
  HWAVEOUT wave = nullptr;
  if (waveOutOpen(&wave, WAVE_MAPPER, &probe, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) return false;
  waveOutClose(wave);
  return true;
}

}  // namespace saver::win
