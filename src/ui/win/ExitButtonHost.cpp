#include "ui/win/ExitButtonHost.h"

namespace saver::win {

bool CExitButtonHost::Create(HWND saver_window) {
  const int x = GetSystemMetrics(SM_CXSCREEN) - kWidth;
  return CreateBound(WS_EX_TOPMOST, WS_CHILD, RECT{x, 0, x + kWidth, kHeight}, saver_window, kHostId);
}

LRESULT CExitButtonHost::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      CreateWindowExW(0, L"BUTTON", L"Exit", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, kWidth, kHeight,
                      Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)),
                      GetModuleHandleW(nullptr), nullptr);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wparam) == kButtonId && HIWORD(wparam) == BN_CLICKED) {
        PostMessageW(GetParent(Handle()), WM_CLOSE, 0, 0);
        return 0;
      }
      break;
  }
  return Default(message, wparam, lparam);
}

}  // namespace saver::win
