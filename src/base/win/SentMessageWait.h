#pragma once
#include <windows.h>

namespace saver::win {

// Waits for `object` while answering the messages other threads send to this one, so that a
// thread whose end sends messages to windows of this thread cannot deadlock the wait. `meanwhile`
// runs every `period` milliseconds until the object is signalled.
template <typename Meanwhile>
void WaitAnsweringSentMessages(HANDLE object, DWORD period, Meanwhile meanwhile) {
  for (;;) {
    const DWORD woken = MsgWaitForMultipleObjects(1, &object, FALSE, period, QS_SENDMESSAGE);
    if (woken == WAIT_OBJECT_0 + 1) {
      MSG message;
      PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    } else if (woken == WAIT_TIMEOUT) {
      meanwhile();
    } else {
      return;
    }
  }
}

inline void WaitAnsweringSentMessages(HANDLE object) {
  WaitAnsweringSentMessages(object, INFINITE, [] {});
}

}  // namespace saver::win
