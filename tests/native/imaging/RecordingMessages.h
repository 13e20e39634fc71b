#pragma once
#include <string>
#include <vector>

#include "imaging/MessageSink.h"

namespace saver::test {

// Collects the messages instead of showing them.
struct RecordingMessages : MessageSink {
  void Show(std::string_view text) override { shown.emplace_back(text); }
  std::vector<std::string> shown;
};

}  // namespace saver::test
