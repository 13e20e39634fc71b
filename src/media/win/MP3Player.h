#pragma once
// Plays one pass of an MP3 block on the wave device: two large PCM buffers stay queued, each
// refilled with the next converted chunk when the device hands it back. Runs on the MP3 thread;
// the device's callback only counts returned buffers and wakes that thread.
#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdint>
#include <vector>

#include "base/win/ScopedWin.h"
#include "media/MP3Formats.h"
#include "media/win/MP3Conversion.h"
#include "media/win/ScopedMedia.h"

namespace saver::win {

// The three manual-reset events of a track, owned by CMP3Music.
struct MP3Events {
  HANDLE done = nullptr;     // a pass has played out (or the thread stopped playing)
  HANDLE started = nullptr;  // the first buffer is queued, or the pass failed
  HANDLE stop = nullptr;     // asked to stop
};

class CMP3Player {
 public:
  explicit CMP3Player(const MP3Events& events);
  CMP3Player(const CMP3Player&) = delete;
  CMP3Player& operator=(const CMP3Player&) = delete;

  // Plays the block once from its first byte; returns when it has played out or stop is set.
  bool Pass(const std::uint8_t* data, std::size_t size);

 private:
  static void CALLBACK WaveCallback(HWAVEOUT wave, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR);
  bool OpenWaveDevice();
  bool QueueBuffer();
  bool CloseWaveDevice();
  bool StopRequested() const;
  void WaitForBufferOrStop();
  // Closes what the pass opened; false when the wave device would not close.
  bool Finish();

  std::atomic<long> buffers_in_flight_{0};
  bool end_of_data_ = false;
  ScopedHandle buffer_done_;
  MP3Events events_;
  CMP3Conversion conversion_;
  int buffer_index_ = 0;
  PcmFormat destination_;
  MP3SourceFormat source_;
  WAVEHDR headers_[2] = {};
  std::vector<std::uint8_t> buffers_[2];
  // Last, so that it is closed (and every buffer handed back) before the buffers and the
  // counters that the callback uses go.
  ScopedWaveOut wave_;
};

// True when the wave mapper opens for 8-bit mono at 22050 Hz.
bool WaveDevicePresent();

}  // namespace saver::win
