#pragma once
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>

#include "CommandLine.h"

namespace saver::tool {

// A status line for the slow part of a command, the work on large pictures and media files: which
// file is being read, checked or written and how big it is. Each step rewrites the line in place
// (a carriage return, then the text padded over the previous one); the line is ended when the work
// is done or fails. A silent Progress shows nothing.
class CProgress {
 public:
  // Silent.
  CProgress() = default;
  explicit CProgress(std::ostream* display) : display_(display) {}
  ~CProgress() { Finish(); }
  CProgress(const CProgress&) = delete;
  CProgress& operator=(const CProgress&) = delete;

  // The progress of a command: on standard error when that is a terminal or the command line says
  // --progress, silent otherwise, so that scripts and tests see nothing they did not ask for.
  static CProgress ForCommand(const Arguments& arguments);

  // "what (12.3 MiB)".
  void Step(const std::string& what, std::uint64_t bytes);
  // Ends the status line (nothing when nothing was shown since the last end).
  void Finish();

 private:
  std::ostream* display_ = nullptr;
  std::size_t shown_length_ = 0;  // of the text on the line now; 0: no line open
};

// A byte count for people: "512 bytes", "3.4 KiB", "12.3 MiB".
std::string SizeText(std::uint64_t bytes);

}  // namespace saver::tool
