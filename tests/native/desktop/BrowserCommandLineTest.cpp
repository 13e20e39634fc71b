#include <gtest/gtest.h>

#include "desktop/BrowserCommandLine.h"

namespace saver {
namespace {

TEST(BrowserCommandLine, CleansToTheLowerCaseExecutablePath) {
  const struct {
    const char* command;
    const char* path;
  } cases[] = {
      {R"("C:\Program Files\Web Browser\BROWSER.EXE" -nohome "%1")", R"(c:\program files\web browser\browser.exe)"},
      {R"(C:\WINNT\explorer.exe %1)", R"(c:\winnt\explorer.exe)"},
      {"  \t\"\"C:\\Apps\\View.Exe\" \"%1\"", R"(c:\apps\view.exe)"},
      {R"("  C:\Spaced\App.exe")", R"(c:\spaced\app.exe)"},   // blanks inside the quotes go too
      {R"(C:\Tools\a.exe.bak\b.exe -x)", R"(c:\tools\a.exe)"},  // the first ".exe" ends it
      {R"(C:\Tools\Launcher -url "%1")", R"(c:\tools\launcher -url )"},
      {"", ""},
      {"\"\"\"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CleanBrowserCommandLine(c.command), c.path) << c.command;
  }
}

TEST(BrowserCommandLine, NonAsciiBytesAreKept) {
  EXPECT_EQ(CleanBrowserCommandLine("C:\\Fen\xCAtre\\B.EXE"), "c:\\fen\xCAtre\\b.exe");
}

}  // namespace
}  // namespace saver
