#include "Progress.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>

namespace saver::tool {

CProgress CProgress::ForCommand(const Arguments& arguments) {
  const bool wanted = arguments.Has("--progress") || isatty(STDERR_FILENO) == 1;
  return CProgress(wanted ? &std::cerr : nullptr);
}

void CProgress::Step(const std::string& what, std::uint64_t bytes) {
  if (display_ == nullptr) return;
  const std::string text = "saverpkg: " + what + " (" + SizeText(bytes) + ")";
  *display_ << '\r' << text;
  if (text.size() < shown_length_) *display_ << std::string(shown_length_ - text.size(), ' ');
  display_->flush();
  shown_length_ = text.size();
}

void CProgress::Finish() {
  if (display_ == nullptr || shown_length_ == 0) return;
  *display_ << '\n';
  display_->flush();
  shown_length_ = 0;
}

std::string SizeText(std::uint64_t bytes) {
  if (bytes < 1024) return std::to_string(bytes) + " bytes";
  double scaled = static_cast<double>(bytes) / 1024.0;
  const char* unit = "KiB";
  if (scaled >= 1023.95) {  // would print as "1024.0 KiB"
    scaled /= 1024.0;
    unit = "MiB";
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.1f %s", scaled, unit);
  return text;
}

}  // namespace saver::tool
