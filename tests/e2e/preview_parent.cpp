// Stands in for the small monitor of the Display Properties dialog in the preview test: a window
// at (100, 100) with a client area of 152 x 112 whose handle, in decimal, is written to the file
// named by the first argument. The window is destroyed, and the program ends, once the file named
// by the second argument exists.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

namespace {

constexpr UINT_PTR kWatchTimer = 1;
const wchar_t* g_stop_file = nullptr;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      if (GetFileAttributesW(g_stop_file) != INVALID_FILE_ATTRIBUTES) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments || count < 3) return 2;
  g_stop_file = arguments[2];

  WNDCLASSW window_class{};
  window_class.lpfnWndProc = Procedure;
  window_class.hInstance = instance;
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  window_class.lpszClassName = L"PreviewParent";
  RegisterClassW(&window_class);
  HWND window = CreateWindowExW(0, L"PreviewParent", L"Preview parent", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                100, 100, 152, 112, nullptr, nullptr, instance, nullptr);
  if (!window) return 3;
  SetTimer(window, kWatchTimer, 100, nullptr);

  FILE* out = _wfopen(arguments[1], L"w");
  if (!out) return 4;
  std::fprintf(out, "%lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
  std::fclose(out);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  LocalFree(arguments);
  return 0;
}
