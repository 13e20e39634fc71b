#include "desktop/BrowserCommandLine.h"

#include <algorithm>

namespace saver {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

void DropLeading(std::string& text, bool (*drop)(char)) {
  text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), drop));
}

}  // namespace

std::string CleanBrowserCommandLine(const std::string& command) {
  std::string text = command;
  DropLeading(text, IsBlank);
  DropLeading(text, [](char c) { return c == '"'; });
  if (const auto quote = text.find('"'); quote != std::string::npos) text.erase(quote);
  DropLeading(text, IsBlank);
  // Only ASCII letters change case; the bytes of other characters in an ANSI path stay.
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  if (const auto exe = text.find(".exe"); exe != std::string::npos) text.erase(exe + 4);
  return text;
}

}  // namespace saver
