#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>

#include "app/CommandLine.h"
#include "app/win/SaverApp.h"

namespace {

// The switch and the window handle that follow the program's own path on the command line; the
// handle may also follow the switch after a colon.
struct Arguments {
  std::optional<std::wstring> mode;
  std::optional<std::wstring> handle;
};

Arguments CommandLineArguments() {
  Arguments arguments;
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!words) return arguments;
  if (count > 1) arguments.mode = words[1];
  if (count > 2) arguments.handle = words[2];
  using Text = std::optional<std::wstring_view>;
  if (const Text handle = saver::HandleText(Text(arguments.mode), Text(arguments.handle)))
    arguments.handle = std::wstring(*handle);
  LocalFree(words);
  return arguments;
}

int RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

// Entry point of the engine: the application object decides the mode; the message loop runs only
// while one of its windows is up.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  saver::win::CSaverApp app;
  Arguments arguments = CommandLineArguments();
  if (!app.InitInstance(std::move(arguments.mode), std::move(arguments.handle))) return 0;
  return RunMessageLoop();
}
