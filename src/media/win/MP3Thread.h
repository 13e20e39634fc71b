#pragma once
// The thread that plays one MP3 track, pass after pass while it loops. When it has finished
// playing it stays alive until stop is asked, so CMP3Music always ends it the same way.
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "base/win/ScopedWin.h"
#include "media/win/MP3Player.h"

namespace saver::win {

class CMP3Thread {
 public:
  CMP3Thread(const MP3Events& events, const std::uint8_t* data, std::size_t size, bool loop);
  // Waits for the thread; CMP3Music sets the stop event first.
  ~CMP3Thread();
  CMP3Thread(const CMP3Thread&) = delete;
  CMP3Thread& operator=(const CMP3Thread&) = delete;

  bool Start();
  // Waits without time limit until the thread has ended.
  void Join();
  // Passes played to their end or to a stop.
  int CompletedPasses() const { return completed_passes_; }

 private:
  static DWORD WINAPI ThreadMain(LPVOID self);
  void Run();

  MP3Events events_;
  CMP3Player player_;
  const std::uint8_t* data_;
  std::size_t size_;
  bool loop_;
  std::atomic<int> completed_passes_{0};
  ScopedHandle thread_;
};

}  // namespace saver::win
