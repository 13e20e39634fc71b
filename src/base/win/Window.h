#pragma once
// The small window layer of the engine: one registered class, "Orvane3.0", whose procedure routes
// each message to the object that created the window. The object pointer travels in the creation
// parameter and is stored on WM_NCCREATE; messages before that get the default handling.
#include <windows.h>

namespace saver::win {

inline constexpr wchar_t kSaverWindowClass[] = L"Orvane3.0";

class CWindow {
 public:
  // Registers "Orvane3.0" once per process: vertical and horizontal redraw, double clicks and save
  // bits (0x080B), no icon, no cursor, no background brush. True when the class is there.
  static bool RegisterSaverClass(HINSTANCE instance);

  CWindow() = default;
  CWindow(const CWindow&) = delete;
  CWindow& operator=(const CWindow&) = delete;
  virtual ~CWindow();

  HWND Handle() const { return handle_; }

 protected:
  // Creates the window of class "Orvane3.0" bound to this object; false when creation fails.
  bool CreateBound(DWORD ex_style, DWORD style, const RECT& bounds, HWND parent, UINT_PTR id = 0);
  // Each window answers its messages here; DefWindowProc for the rest.
  virtual LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcW(handle_, message, wparam, lparam);
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND handle_ = nullptr;
};

}  // namespace saver::win
