#include "ui/win/SaverWnd.h"

#include <windowsx.h>

#include "res/resource.h"
#include "scene/Calibration.h"

namespace saver::win {
namespace {

constexpr UINT_PTR kFlushTimerId = 1;

MachineFacts CurrentMachineFacts() {
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  return {info.dwPageSize,
          reinterpret_cast<std::uintptr_t>(info.lpMinimumApplicationAddress),
          reinterpret_cast<std::uintptr_t>(info.lpMaximumApplicationAddress),
          static_cast<std::uint64_t>(info.dwActiveProcessorMask),
          info.dwNumberOfProcessors,
          info.dwProcessorType,
          info.dwAllocationGranularity,
          info.wProcessorLevel,
          info.wProcessorRevision};
}

Point PointFrom(LPARAM lparam) { return {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}; }

}  // namespace

CSaverWnd::CSaverWnd(SaverWindowContext context)
    : context_(context), exit_input_(context.profile, context.exit_button_flag) {}

CSaverWnd::~CSaverWnd() {
  if (Handle()) DestroyWindow(Handle());
}

bool CSaverWnd::Create() {
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (!CreateBound(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP | WS_VISIBLE, screen, nullptr)) return false;
  monitor_cover_.Cover(Handle(), DisplayMonitorRects());
  SetForegroundWindow(Handle());
  SetActiveWindow(Handle());
  SetFocus(Handle());
  SetTimer(Handle(), kFlushTimerId, kFlushTimerMs, nullptr);
  return true;
}

void CSaverWnd::OnCreate() {
  SetCursorPos(0, 0);
  if (!context_.exit_button_flag) {
    SetClassLongPtrW(Handle(), GCLP_HCURSOR,
                     reinterpret_cast<LONG_PTR>(LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_SHOW_CURSOR))));
    ShowCursor(FALSE);
  }
  Calibrate();
  SystemParametersInfoW(SPI_SCREENSAVERRUNNING, TRUE, nullptr, 0);
  mute_ = ReadSetting(context_.profile, Setting::Mute) != 0;
  if (context_.exit_button_flag) exit_button_.Create(Handle());
}

void CSaverWnd::Calibrate() {
  const std::wstring& key = context_.profile.CompanyKeyPath();
  const StoredCalibration stored = ReadCalibration(key);
  context_.times = stored.times;
  const std::string fingerprint = MachineFingerprint(CurrentMachineFacts());
  if (!NeedsCalibration(stored.times, stored.fingerprint, fingerprint)) return;
  {
    CSceneThread counter(*this, &context_.times, true, nullptr);
    if (!counter.Start()) return;
    ::Sleep(kCalibrationMilliseconds);
  }  // stopped and deleted here
  WriteCalibration(key, {fingerprint, context_.times});
}

void CSaverWnd::AttachShow(CSceneThread* show) {
  show_ = show;
  if (show_ && SettingIsOn(context_.profile, Setting::LowPowerPacing)) show_->UseLowPowerPacing();
}

void CSaverWnd::Fill(COLORREF colour) {
  fill_colour_ = colour;
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  monitor_cover_.Repaint();
}

void CSaverWnd::ShowExitButton() {
  if (exit_button_.Handle()) ShowWindowAsync(exit_button_.Handle(), SW_SHOWNA);
}

void CSaverWnd::ArmLink(std::string link, int key_mode) {
  std::lock_guard lock(link_lock_);
  exit_input_.ArmLink(std::move(link), static_cast<LinkKeyMode>(key_mode));
}

void CSaverWnd::Apply(InputOutcome outcome) {
  if (outcome.close) PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

InputOutcome CSaverWnd::KeyDown(std::uint32_t key) {
  std::lock_guard lock(link_lock_);
  const InputOutcome outcome = exit_input_.KeyDown(key);
  if (outcome.hand_over_link) context_.link_to_open = exit_input_.PendingLink();
  return outcome;
}

void CSaverWnd::OnClose() {
  if (PasswordGateLetsClose()) {
    // The show stops before the window goes: hiding a full-screen window can take Wine seconds
    // where no window manager answers, and the show would run on meanwhile.
    if (show_) show_->Stop();
    DestroyWindow(Handle());
    return;
  }
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(Handle(), &cursor);
  exit_input_.ResetMouseReference({cursor.x, cursor.y});
}

void CSaverWnd::OnDisplayChange() {
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
               SWP_NOACTIVATE);
  monitor_cover_.Cover(Handle(), DisplayMonitorRects());
}

void CSaverWnd::OnDestroy() {
  KillTimer(Handle(), kFlushTimerId);
  monitor_cover_.Clear();
  if (show_) show_->Stop();
  SystemParametersInfoW(SPI_SCREENSAVERRUNNING, FALSE, nullptr, 0);
  PostQuitMessage(0);
}

void CSaverWnd::EraseBackground(HDC dc) const {
  RECT clip{};
  GetClipBox(dc, &clip);
  ScopedBrush brush(CreateSolidBrush(fill_colour_));
  FillRect(dc, &clip, brush.Get());
}

LRESULT CSaverWnd::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_MOUSEMOVE:
      Apply(exit_input_.MouseMove(PointFrom(lparam)));
      break;
    case WM_LBUTTONDOWN: case WM_MBUTTONDOWN: case WM_RBUTTONDOWN:
      Apply(exit_input_.ButtonDown());
      break;
    case WM_LBUTTONDBLCLK: case WM_MBUTTONDBLCLK: case WM_RBUTTONDBLCLK:
      Apply(exit_input_.DoubleClick());
      break;
    case WM_KEYDOWN:
      Apply(KeyDown(static_cast<std::uint32_t>(wparam)));
      break;
    case WM_SYSKEYDOWN:
      if (wparam == VK_F4) return 0;  // Alt+F4 neither closes nor counts as a key
      Apply(exit_input_.SystemKeyDown(static_cast<std::uint32_t>(wparam)));
      break;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == SC_SCREENSAVE || (wparam & 0xFFF0) == SC_CLOSE) return 0;
      break;
    case WM_ERASEBKGND:
      EraseBackground(reinterpret_cast<HDC>(wparam));
      return 1;
    case WM_TIMER:
      if (wparam == kFlushTimerId) {
        GdiFlush();
        return 0;
      }
      break;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DISPLAYCHANGE:
      OnDisplayChange();
      break;
    case WM_DESTROY:
      OnDestroy();
      break;
  }
  return Default(message, wparam, lparam);
}

}  // namespace saver::win
