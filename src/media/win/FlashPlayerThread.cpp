#include "media/win/FlashPlayerThread.h"

#include <ole2.h>
#include <process.h>

#include "base/win/SentMessageWait.h"
#include "base/win/Window.h"
#include "media/win/MediaTempFile.h"
#include "media/win/ShockwaveFlash.h"

namespace saver::win {
// The control's parent: when the time limit runs out it stops the movie and tells its thread.
class CFlashHostWnd : public CWindow {
 public:
  bool Create(DWORD style, const RECT& rect, HWND parent) {
    return CreateBound(0, style, rect, parent, CFlashPlayerThread::kHostId);
  }
  CShockwaveFlash* control = nullptr;
  DWORD thread_id = 0;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == WM_TIMER && wparam == CFlashPlayerThread::kTimerId) {
      // The timer is left to the window's destruction.
      if (control) control->Stop();
      PostThreadMessageW(thread_id, CFlashPlayerThread::kTimeUpMessage, 0, 0);
    }
    return Default(message, wparam, lparam);
  }
};

CFlashPlayerThread::CFlashPlayerThread(HWND parent, HANDLE flash_event, std::int32_t time_limit, bool exit_button_flag)
    : parent_(parent), flash_event_(flash_event), time_limit_(time_limit), time_limited_(time_limit != -1),
      exit_button_flag_(exit_button_flag) {}

CFlashPlayerThread::~CFlashPlayerThread() {
  Stop();
  if (thread_) WaitAnsweringSentMessages(thread_.Get());
}

bool CFlashPlayerThread::Start() {
  const std::uintptr_t handle = _beginthreadex(nullptr, 0, Main, this, CREATE_SUSPENDED, nullptr);
  if (handle == 0) return false;
  thread_.Reset(reinterpret_cast<HANDLE>(handle));
  SetThreadPriority(thread_.Get(), THREAD_PRIORITY_NORMAL);
  ResumeThread(thread_.Get());
  return true;
}

void CFlashPlayerThread::Stop() {
  if (stopping_.exchange(true)) return;
  if (const HWND host = host_window_) PostMessageW(host, WM_CLOSE, 0, 0);
  if (const DWORD id = thread_id_) PostThreadMessageW(id, WM_QUIT, 0, 0);
}

unsigned __stdcall CFlashPlayerThread::Main(void* self) {
  auto* thread = static_cast<CFlashPlayerThread*>(self);
  MSG message;
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // makes the queue that Stop posts to
  thread->thread_id_ = GetCurrentThreadId();
  const bool ole = SUCCEEDED(OleInitialize(nullptr));
  if (ole && thread->InitInstance()) thread->Run();
  thread->control_.reset();
  thread->host_window_ = nullptr;
  thread->host_.reset();
  if (ole) OleUninitialize();
  thread->Finish();
  return 0;
}

bool CFlashPlayerThread::InitInstance() {
  // In a normal show the movie takes no input; in a test run it does.
  const DWORD style = WS_CHILD | WS_VISIBLE | (exit_button_flag_ ? 0 : WS_DISABLED);
  host_ = std::make_unique<CFlashHostWnd>();
  if (!host_->Create(style, rect, parent_)) return false;
  host_window_ = host_->Handle();
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  control_ = std::make_unique<CShockwaveFlash>();
  if (!control_->Create(style, rect, host_->Handle(), kControlId)) return false;
  MoveWindow(control_->Handle(), 0, 0, width, height, TRUE);
  control_->PutMenu(false);
  control_->time_limit = time_limit_;
  host_->control = control_.get();
  host_->thread_id = thread_id_;
  control_->PutMovie(file_name);
  control_->PutLoop(loop);
  control_->Play();
  if (time_limit_ > 0) SetTimer(host_->Handle(), kTimerId, static_cast<UINT>(time_limit_), nullptr);
  return true;
}

bool CFlashPlayerThread::MovieEnds(const MSG& message) {
  if (time_limited_) return message.message == kTimeUpMessage;
  return !loop && control_->FrameNum() == control_->TotalFrames() - 1;
}

void CFlashPlayerThread::Run() {
  MSG message;
  // A stop that came before this thread had its queue posted nothing; the flag tells.
  while (!stopping_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (MovieEnds(message)) Stop();
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// The movie's file goes with its thread, looping or not, so that no temporary file outlives a movie.
void CFlashPlayerThread::Finish() {
  stopping_ = true;
  DeleteMediaFile(file_name);
  ResetEvent(flash_event_);
}

}  // namespace saver::win
