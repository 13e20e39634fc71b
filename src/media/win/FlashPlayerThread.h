#pragma once
// One Flash movie on a user-interface thread of its own, so that the control's message traffic
// never waits for the scene thread. The movie plays in the control inside a host window, a child
// of the saver window. It ends at its last frame (not looping, no time limit), when its time limit
// runs out, or when it is stopped from any thread. The Flash event is set by the starter and reset
// when the thread ends, after the movie's file has been deleted.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "base/win/ScopedWin.h"

namespace saver::win {

class CFlashHostWnd;
class CShockwaveFlash;

class CFlashPlayerThread {
 public:
  static constexpr UINT_PTR kHostId = 62312;
  static constexpr UINT_PTR kControlId = 62311;
  static constexpr UINT_PTR kTimerId = 54321;
  static constexpr UINT kTimeUpMessage = 21365;  // posted to the thread when the time limit ran out

  // `time_limit` in milliseconds, -1 for none. The Flash event is borrowed.
  CFlashPlayerThread(HWND parent, HANDLE flash_event, std::int32_t time_limit, bool exit_button_flag);
  // Stops the movie and waits for its thread to end, answering messages sent to this thread.
  ~CFlashPlayerThread();
  CFlashPlayerThread(const CFlashPlayerThread&) = delete;
  CFlashPlayerThread& operator=(const CFlashPlayerThread&) = delete;

  // Set by the starter before Start.
  RECT rect{};  // in the parent's client area
  bool loop = false;
  std::wstring file_name;

  // Starts the thread suspended, gives it normal priority and resumes it.
  bool Start();
  // Ends the movie; from any thread, once (later calls do nothing).
  void Stop();
  // Signalled when the thread has ended.
  HANDLE ThreadHandle() const { return thread_.Get(); }

 private:
  static unsigned __stdcall Main(void* self);
  bool InitInstance();
  void Run();
  bool MovieEnds(const MSG& message);
  void Finish();

  HWND parent_;
  HANDLE flash_event_;
  std::int32_t time_limit_;
  bool time_limited_;
  bool exit_button_flag_;
  std::atomic<bool> stopping_{false};
  std::atomic<HWND> host_window_{nullptr};
  std::atomic<DWORD> thread_id_{0};
  ScopedHandle thread_;
  // Made and destroyed on the movie's thread.
  std::unique_ptr<CFlashHostWnd> host_;
  std::unique_ptr<CShockwaveFlash> control_;
};

}  // namespace saver::win
