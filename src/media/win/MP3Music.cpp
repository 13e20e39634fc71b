#include "media/win/MP3Music.h"

#include "media/win/AcmStream.h"
#include "media/win/MP3Player.h"

namespace saver::win {
namespace {

HANDLE ManualResetEvent() { return CreateEventW(nullptr, TRUE, FALSE, nullptr); }

}  // namespace

CMP3Music::CMP3Music() : stop_(ManualResetEvent()), started_(ManualResetEvent()), done_(ManualResetEvent()) {}

void CMP3Music::Play(const std::uint8_t* data, std::size_t size, bool wait, bool loop, HANDLE cancel) {
  Stop();
  if (!data || !WaveDevicePresent() || !MP3CodecPresent()) return;
  ResetEvent(started_.Get());
  ResetEvent(done_.Get());
  ResetEvent(stop_.Get());
  auto thread = std::make_unique<CMP3Thread>(MP3Events{done_.Get(), started_.Get(), stop_.Get()}, data, size, loop);
  if (!thread->Start()) return;
  thread_ = std::move(thread);
  if (!wait) return;
  // The cancel event is never reset by this class, so a request that came while the track was
  // being set up still ends the wait.
  const HANDLE ends[] = {done_.Get(), cancel};
  WaitForMultipleObjects(cancel ? 2 : 1, ends, FALSE, INFINITE);
}

void CMP3Music::Stop() {
  // No codec check here: a track that exists must be ended whatever the system says now.
  if (!thread_) return;
  // A stop during the first conversion waits for it, so the device is never left half set up.
  WaitForSingleObject(started_.Get(), INFINITE);
  SetEvent(stop_.Get());
  thread_->Join();
  thread_.reset();
  SetEvent(done_.Get());
}

}  // namespace saver::win
