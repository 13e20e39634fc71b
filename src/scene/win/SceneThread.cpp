#include "scene/win/SceneThread.h"

#include <limits>
#include <utility>

#include "base/win/SentMessageWait.h"
#include "base/win/WorkerThread.h"
#include "scene/MediaPlayers.h"
#include "scene/Timeline.h"

namespace saver::win {
namespace {

ScopedHandle ManualResetEvent() { return ScopedHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr)); }

bool IsSet(HANDLE event) { return WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }

// How often Stop repeats its interrupt while the show winds down.
constexpr DWORD kInterruptRepeatMs = 25;

}  // namespace

CSceneThread::CSceneThread(CShowHost& host, std::uint32_t* times, bool counting_mode, Show show,
                           RandomSeedSources seed_sources)
    : host_(host),
      times_(times),
      counting_mode_(counting_mode),
      show_(std::move(show)),
      seed_sources_(std::move(seed_sources)),
      stop_(ManualResetEvent()),
      exited_(ManualResetEvent()) {}

CSceneThread::~CSceneThread() { Stop(); }

bool CSceneThread::Start() {
  if (!stop_ || !exited_ || thread_) return false;
  thread_ = StartWorkerThread(ThreadMain, this);
  return thread_.Valid();
}

void CSceneThread::Stop() {
  if (!thread_) return;
  const auto interrupt = [this] {
    if (players_) players_->Interrupt();
  };
  interrupt();
  SetEvent(stop_.Get());
  ResumeThread(thread_.Get());
  // A blocking sound or video that the scene thread began just after an interrupt would hold it
  // to its end, so the interrupt is repeated until the thread is through.
  WaitAnsweringSentMessages(exited_.Get(), kInterruptRepeatMs, interrupt);
  WaitAnsweringSentMessages(thread_.Get());
}

unsigned __stdcall CSceneThread::ThreadMain(void* self) {
  auto* thread = static_cast<CSceneThread*>(self);
  if (thread->counting_mode_)
    thread->Count();
  else
    thread->RunShow();
  SetEvent(thread->exited_.Get());
  return 0;
}

void CSceneThread::Count() {
  std::uint32_t count = 0;
  while (count < std::numeric_limits<std::uint32_t>::max() && !IsSet(stop_.Get())) ++count;
  *times_ = count;
}

void CSceneThread::RunShow() {
  host_.Fill(RGB(0, 0, 0));
  host_.ShowExitButton();
  if (show_) show_(*this);
  StopShowSounds();
}

// The end steps of a show: no sound outlives it. Every sound a show starts comes from its players.
void CSceneThread::StopShowSounds() {
  if (players_) players_->ReleaseAll();
}

void CSceneThread::UseMedia(std::unique_ptr<CMediaPlayers> players) { players_ = std::move(players); }

void CSceneThread::UseLowPowerPacing() { low_power_pacer_ = std::make_unique<CLowPowerPacer>(); }

CMediaPlayers* CSceneThread::Media() { return players_.get(); }

bool CSceneThread::StopRequested() const { return IsSet(stop_.Get()); }

// A stop request cuts the sleep short; items still sleep in slices, as if it were a plain sleep.
void CSceneThread::Sleep(std::uint32_t milliseconds) { WaitForSingleObject(stop_.Get(), milliseconds); }

void CSceneThread::PacedWait(std::int32_t a, double k) {
  const std::uint32_t polls = PacedPollCount(a, k, *times_);
  if (low_power_pacer_) {
    low_power_pacer_->Wait(stop_.Get(), polls, *times_);
    return;
  }
  for (std::uint32_t i = 0; i < polls; ++i)
    if (IsSet(stop_.Get())) return;
}

std::uint32_t CSceneThread::TickCount() const { return GetTickCount(); }

void CSceneThread::FillScreen(std::uint32_t colour, std::uint32_t) { host_.Fill(colour); }

void CSceneThread::ArmLink(std::string link, int key_mode) { host_.ArmLink(std::move(link), key_mode); }

}  // namespace saver::win
