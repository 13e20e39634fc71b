#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "base/UserMessages.h"
#include "imaging/MessageSink.h"

namespace saver::testing_support {

// Keeps, in order, what the code under test would have shown the user instead of showing it: the
// items' error boxes and the picture code's messages alike.
class CollectedMessages final : public CUserMessages, public CMessageSink {
 public:
  void ShowError(std::string_view text) override { shown.emplace_back(text); }
  void Show(std::string_view text) override { shown.emplace_back(text); }

  std::vector<std::string> shown;
};

}  // namespace saver::testing_support
