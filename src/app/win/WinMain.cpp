#include <windows.h>

// Entry point of the engine. The application object takes over from here.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 0; }
