#include "media/win/MP3Thread.h"

namespace saver::win {

CMP3Thread::CMP3Thread(const MP3Events& events, const std::uint8_t* data, std::size_t size, bool loop)
    : events_(events), player_(events), data_(data), size_(size), loop_(loop) {}

CMP3Thread::~CMP3Thread() { Join(); }

bool CMP3Thread::Start() {
  thread_.Reset(CreateThread(nullptr, 0, &ThreadMain, this, 0, nullptr));
  return thread_.Valid();
}

void CMP3Thread::Join() {
  if (thread_) WaitForSingleObject(thread_.Get(), INFINITE);
}

DWORD WINAPI CMP3Thread::ThreadMain(LPVOID self) {
  static_cast<CMP3Thread*>(self)->Run();
  return 0;
}

void CMP3Thread::Run() {
  for (;;) {
    if (!player_.Pass(data_, size_)) {
      // The same bytes on the same device fail the same way again: playing ends here rather
      // than retrying at full speed, and a caller waiting for the first pass is released.
      SetEvent(events_.started);
      break;
    }
    ++completed_passes_;
    if (!loop_ || WaitForSingleObject(events_.stop, 0) == WAIT_OBJECT_0) break;
  }
  SetEvent(events_.done);
  WaitForSingleObject(events_.stop, INFINITE);
}

}  // namespace saver::win
