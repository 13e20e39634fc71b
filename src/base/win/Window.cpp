#include "base/win/Window.h"

namespace saver::win {

bool CWindow::RegisterSaverClass(HINSTANCE instance) {
  WNDCLASSW existing{};
  if (GetClassInfoW(instance, kSaverWindowClass, &existing)) return true;
  WNDCLASSW window_class{};
  window_class.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_SAVEBITS;
  window_class.lpfnWndProc = Procedure;
  window_class.hInstance = instance;
  window_class.lpszClassName = kSaverWindowClass;
  return RegisterClassW(&window_class) != 0;
}

CWindow::~CWindow() {
  if (handle_ && IsWindow(handle_)) {
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
}

bool CWindow::CreateBound(DWORD ex_style, DWORD style, const RECT& bounds, HWND parent, UINT_PTR id) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterSaverClass(instance)) return false;
  handle_ = CreateWindowExW(ex_style, kSaverWindowClass, L"", style, bounds.left, bounds.top,
                            bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                            reinterpret_cast<HMENU>(id), instance, this);
  return handle_ != nullptr;
}

LRESULT CWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) { return Default(message, wparam, lparam); }

LRESULT CALLBACK CWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<CWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<CWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wparam, lparam);
  const LRESULT result = self->OnMessage(message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
  }
  return result;
}

}  // namespace saver::win
