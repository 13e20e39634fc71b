#pragma once
#include <windows.h>
#include <process.h>

#include "base/win/ScopedWin.h"

namespace saver::win {

// Starts `main(argument)` on a thread of normal priority, created suspended and then resumed, as
// the engine's threads start. An invalid handle when it could not be created.
inline ScopedHandle StartWorkerThread(unsigned(__stdcall* main)(void*), void* argument) {
  const std::uintptr_t handle = _beginthreadex(nullptr, 0, main, argument, CREATE_SUSPENDED, nullptr);
  if (handle == 0) return ScopedHandle();
  ScopedHandle thread(reinterpret_cast<HANDLE>(handle));
  SetThreadPriority(thread.Get(), THREAD_PRIORITY_NORMAL);
  ResumeThread(thread.Get());
  return thread;
}

}  // namespace saver::win
