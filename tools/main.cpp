#include <iostream>
#include <string>
#include <vector>

#include "Tool.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

#include "base/win/TextConversion.h"
#endif

namespace {

// The words after the program's name, in UTF-8: on Windows taken from the wide command line, so
// that file names outside the ANSI code page arrive intact.
std::vector<std::string> Words(int argc, char** argv) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> words;
  for (int i = 1; wide != nullptr && i < count; ++i) words.push_back(saver::win::Utf8FromWide(wide[i]));
  LocalFree(wide);
  return words;
#else
  return {argv + 1, argv + argc};
#endif
}

}  // namespace

int main(int argc, char** argv) { return saver::tool::RunTool(Words(argc, argv), std::cout, std::cerr); }
