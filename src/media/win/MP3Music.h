#pragma once
// The scene thread's MP3 music: starts a CMP3Thread per track and stops it, talking to it only
// through three manual-reset events. One track plays at a time.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "base/win/ScopedWin.h"
#include "media/win/MP3Thread.h"

namespace saver::win {

class CMP3Music {
 public:
  CMP3Music();
  ~CMP3Music() { Stop(); }
  CMP3Music(const CMP3Music&) = delete;
  CMP3Music& operator=(const CMP3Music&) = delete;

  // Stops the current track, then plays the block; with `wait`, returns when the first pass has
  // ended or `cancel` (when given) is set. Does nothing without a wave device, data or MP3 codec.
  // The block must stay valid until the track is stopped.
  void Play(const std::uint8_t* data, std::size_t size, bool wait, bool loop, HANDLE cancel = nullptr);
  // Ends the current track at once, from any point of its life.
  void Stop();
  // From any thread while the owner may be playing: the wave output falls silent and the track's
  // thread winds down; the owner still calls Stop to end it.
  void Interrupt() { SetEvent(stop_.Get()); }

  bool HasTrack() const { return thread_ != nullptr; }
  int CompletedPasses() const { return thread_ ? thread_->CompletedPasses() : 0; }
  // Set when the first pass of the current track has ended.
  HANDLE DoneEvent() const { return done_.Get(); }

 private:
  ScopedHandle stop_;
  ScopedHandle started_;
  ScopedHandle done_;
  std::unique_ptr<CMP3Thread> thread_;
};

}  // namespace saver::win
