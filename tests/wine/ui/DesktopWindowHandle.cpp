// Prints the desktop window's handle as a decimal number: end-to-end tests pass it to the saver's
// change-password mode ("/a <handle>") as the owner of its dialogs.
#include <windows.h>

#include <cstdio>

int main() {
  std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(GetDesktopWindow())));
  return 0;
}
